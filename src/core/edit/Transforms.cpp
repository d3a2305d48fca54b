#include "core/edit/Transforms.h"

#include "core/random/FreeSlots.h"
#include "core/random/Random.h"

#include <algorithm>
#include <utility>

namespace quom {
namespace {

int wrap(int value, int size) noexcept
{
    const int r = value % size;
    return r < 0 ? r + size : r;
}

int clampChannel(int value) noexcept
{
    return std::clamp(value, 0, 255);
}

} // namespace

void reverseX(Grid& grid) noexcept
{
    for (int x = 0; x < kColumns / 2; ++x) {
        for (int y = 0; y < kRows; ++y)
            std::swap(grid[cellIndex(x, y)], grid[cellIndex(kColumns - 1 - x, y)]);
    }
}

void reverseY(Grid& grid) noexcept
{
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows / 2; ++y)
            std::swap(grid[cellIndex(x, y)], grid[cellIndex(x, kRows - 1 - y)]);
    }
}

void rotateQuarterTurns(Grid& grid, int quarterTurns) noexcept
{
    const int turns = wrap(quarterTurns, 4);
    if (turns == 0)
        return;
    const Grid source = grid;
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) {
            int tx = x;
            int ty = y;
            for (int t = 0; t < turns; ++t) {
                const int turnedX = kRows - 1 - ty;
                ty = tx;
                tx = turnedX;
            }
            grid[cellIndex(tx, ty)] = source[cellIndex(x, y)];
        }
    }
}

Grid scrolled(const Grid& source, int dx, int dy) noexcept
{
    // Reduced first, so any offset is safe from overflow.
    const int shiftX = wrap(dx, kColumns);
    const int shiftY = wrap(dy, kRows);
    Grid result;
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y)
            result[cellIndex((x + shiftX) % kColumns, (y + shiftY) % kRows)] = source[cellIndex(x, y)];
    }
    return result;
}

void scroll(Grid& grid, int dx, int dy) noexcept
{
    grid = scrolled(grid, dx, dy);
}

void shuffleRows(Grid& grid)
{
    const Grid source = grid;
    FreeSlots targets(kRows);
    for (int i = 0; i < kRows; ++i) {
        const int j = targets.take(randomInt(kRows - i));
        for (int x = 0; x < kColumns; ++x)
            grid[cellIndex(x, j)] = source[cellIndex(x, i)];
    }
}

void shuffleColumns(Grid& grid)
{
    const Grid source = grid;
    FreeSlots targets(kColumns);
    for (int i = 0; i < kColumns; ++i) {
        const int j = targets.take(randomInt(kColumns - i));
        for (int y = 0; y < kRows; ++y)
            grid[cellIndex(j, y)] = source[cellIndex(i, y)];
    }
}

void shuffleCells(Grid& grid)
{
    const Grid source = grid;
    FreeSlots targets(kCells);
    for (int i = 0; i < kCells; ++i)
        grid[targets.take(randomInt(kCells - 1 - i))] = source[i];
}

bool offsetColours(Grid& grid, int dr, int dg, int db) noexcept
{
    if (dr == 0 && dg == 0 && db == 0)
        return false;
    // Beyond +-255 every offset saturates alike; limiting it keeps the sums in range.
    dr = std::clamp(dr, -255, 255);
    dg = std::clamp(dg, -255, 255);
    db = std::clamp(db, -255, 255);
    for (Cell& c : grid) {
        if (c == 0)
            continue;
        c = makeCell(
            clampChannel(redOf(c) + dr), clampChannel(greenOf(c) + dg), clampChannel(blueOf(c) + db));
    }
    return true;
}

} // namespace quom
