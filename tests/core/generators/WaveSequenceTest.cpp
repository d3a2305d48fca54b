#include "core/generators/WaveSequence.h"

#include "core/color/ColorVariation.h"
#include "support/TestGrids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using quom::Wave;
using quom::WaveSettings;
using Rows = std::array<int, quom::kColumns>;

// The row of each column's painted cell (the last one, if several), -1 for none.
Rows rowsOf(const WaveSettings& settings, const quom::WaveRandoms& randoms = {})
{
    quom::Grid g{};
    quom::drawWaveSequence(g, settings, randoms);
    EXPECT_EQ(countNotes(g), 64);
    Rows rows;
    rows.fill(-1);
    for (int i = 0; i < quom::kCells; ++i)
        rows[i / quom::kRows] = g[i] != 0 ? i % quom::kRows : rows[i / quom::kRows];
    return rows;
}

TEST(WaveSequence, DefaultsDrawOneSineCellPerColumnOverThePattern)
{
    const Rows rows = rowsOf({});
    EXPECT_EQ(std::count(rows.begin(), rows.end(), -1), 0);
    EXPECT_EQ(rows[0], 32);
    EXPECT_EQ(rows[16], 0);

    // Black at both ends erases the line and nothing else.
    quom::Grid g = distinctGrid();
    quom::drawWaveSequence(g, {.startColor = 0, .endColor = 0}, {});
    for (int i = 0; i < quom::kCells; ++i)
        EXPECT_EQ(g[i], rows[i / quom::kRows] == i % quom::kRows ? 0u : distinctGrid()[i]) << i;
}

TEST(WaveSequence, CyclesRestartOnWholeColumns)
{
    const auto restarts = [](int period) {
        const Rows rows = rowsOf({.wave = Wave::Ramp, .period = period});
        std::vector<int> columns;
        for (int x = 0; x < quom::kColumns; ++x) {
            if (rows[x] == 0)
                columns.push_back(x);
        }
        return columns;
    };
    EXPECT_EQ(restarts(3), (std::vector<int>{0, 22, 44}));
    EXPECT_EQ(restarts(7), (std::vector<int>{0, 10, 20, 30, 40, 50, 60}));
    EXPECT_EQ(restarts(9), (std::vector<int>{0, 8, 16, 24, 32, 40, 48, 56}));
    // Exactly 8 rows into the triangle's rise, which single precision truncates to 7.
    EXPECT_EQ(rowsOf({.wave = Wave::Triangle, .period = 9})[4], 8);
}

TEST(WaveSequence, RandomWavesReadTheirValuesHeldToTheScale)
{
    quom::WaveRandoms r{};
    for (int i = 0; i < 64; ++i)
        r[i] = static_cast<float>(i) / 64.0f;
    r[5] = 1.0f;
    const Rows held = rowsOf({.wave = Wave::SampleAndHold}, r);
    const Rows random = rowsOf({.wave = Wave::Random}, r);
    for (int x = 0; x < quom::kColumns; ++x) {
        EXPECT_EQ(held[x], x / 4 == 5 ? 63 : x / 4) << x;
        EXPECT_EQ(random[x], x == 5 ? 63 : x) << x;
    }
}

TEST(WaveSequence, OffsetsWrapAndFlipsMirrorTheLineAndTheColors)
{
    const Rows base = rowsOf({});
    const Rows shifted = rowsOf({.offsetX = 10});
    const Rows lowered = rowsOf({.offsetY = 40});
    const Rows upended = rowsOf({.flipY = true});
    const Rows narrow = rowsOf({.scale = 2, .offsetY = 63});
    for (int x = 0; x < quom::kColumns; ++x) {
        EXPECT_EQ(shifted[(x + 10) % 64], base[x]) << x;
        EXPECT_EQ(lowered[x], (base[x] + 40) % 64) << x;
        EXPECT_EQ(upended[x], 63 - base[x]) << x;
        EXPECT_TRUE(narrow[x] == 63 || narrow[x] == 0) << x;
    }

    const WaveSettings mirrored{.flipX = true};
    quom::Grid g{};
    quom::drawWaveSequence(g, mirrored, {});
    EXPECT_EQ(cellAt(g, 63, 32), quom::lerpColor(mirrored.startColor, mirrored.endColor, 63.0f / 64.0f));
    EXPECT_EQ(cellAt(g, 0, base[63]), mirrored.startColor);
}

} // namespace
