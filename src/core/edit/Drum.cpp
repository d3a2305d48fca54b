#include "core/edit/Drum.h"

#include "core/random/Random.h"

#include <algorithm>
#include <array>

namespace quom {
namespace {

constexpr int kDrumBlue = 127;

// randomInt(64) can give 64; that draw means the last row.
int pickFreeRow(std::array<bool, kRows>& used)
{
    int row;
    do {
        row = std::min<int>(randomInt(kRows), kRows - 1);
    } while (used[row]);
    used[row] = true;
    return row;
}

Cell drawTrackColor()
{
    const int green = randomInt(255);
    const int red = randomInt(200) + 55;
    return makeCell(red, green, kDrumBlue);
}

} // namespace

void makeDrumPattern(Grid& grid)
{
    grid.fill(0);
    std::array<bool, kRows> used{};

    const int regularTracks = randomInt(3) + 3;
    for (int t = 0; t < regularTracks; ++t) {
        const int row = pickFreeRow(used);
        const Cell color = drawTrackColor();
        const int period = 1 << randomInt(5);
        int offset = 0;
        if (randomInt(2) == 1)
            offset = randomInt(period - 1);
        for (int x = 0; x < kColumns; ++x) {
            if ((offset + x) % period == 0)
                grid[cellIndex(x, row)] = color;
        }
    }

    const int motifTracks = randomInt(3);
    for (int t = 0; t < motifTracks; ++t) {
        const int row = pickFreeRow(used);
        const Cell color = drawTrackColor();
        const int mask = randomInt(255);
        for (int block = 0; block < kColumns / 8; ++block) {
            for (int bit = 0; bit < 8; ++bit) {
                if (mask & (1 << bit))
                    grid[cellIndex(8 * block + bit, row)] = color;
            }
        }
    }
}

} // namespace quom
