#include "core/generators/RandomPattern.h"

#include "core/random/Random.h"
#include "support/TestGrids.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using quom::Grid;
using quom::RandomColorMode;
using quom::RandomOperation;
using quom::RandomSettings;

RandomSettings single(quom::Cell color, int density)
{
    RandomSettings s;
    s.colorMode = RandomColorMode::Single;
    s.color1 = color;
    s.density = density;
    return s;
}

TEST(RandomPattern, DensityPaintsThatShareOfDistinctCells)
{
    quom::seedRandom(8);
    Grid g{};
    quom::paintRandomPattern(g, single(0x00FF00, 25));
    EXPECT_EQ(countNotes(g), 1024);

    quom::paintRandomPattern(g, single(0x00FF00, 100));
    EXPECT_EQ(countNotes(g), quom::kCells);

    quom::paintRandomPattern(g, single(0x00FF00, 33));
    EXPECT_EQ(countNotes(g), 1351);
}

TEST(RandomPattern, ReplaceClearsFirstAndAddPaintsOver)
{
    Grid g = distinctGrid();
    quom::paintRandomPattern(g, single(0x00FF00, 0));
    EXPECT_EQ(countNotes(g), 0);

    g = distinctGrid();
    RandomSettings add = single(0x00FF00, 0);
    add.operation = RandomOperation::Add;
    quom::paintRandomPattern(g, add);
    EXPECT_EQ(g, distinctGrid());

    add.density = 50;
    quom::paintRandomPattern(g, add);
    EXPECT_EQ(std::count(g.begin(), g.end(), 0x00FF00u), 2048);
    EXPECT_EQ(countNotes(g), quom::kCells);

    // Black with no variation paints empty cells.
    RandomSettings black = single(0, 50);
    black.operation = RandomOperation::Add;
    quom::paintRandomPattern(g, black);
    EXPECT_EQ(countNotes(g), 2048);
}

TEST(RandomPattern, GradientFollowsTheGeneratorDrawByDraw)
{
    // Seed 1: k = 41/32767 * 4095 = 5, u = 18467/32767 gives red 143; then
    // k = 6334/32767 * 4094 = 791 among the cells other than 5 is cell 792, u =
    // 26500/32767 gives red 206.
    quom::seedRandom(1);
    RandomSettings s; // gradient from black to pure red
    s.density = 1;
    Grid g{};
    quom::paintRandomPattern(g, s);
    EXPECT_EQ(g[5], quom::makeCell(143, 0, 0));
    EXPECT_EQ(g[792], quom::makeCell(206, 0, 0));
    for (quom::Cell c : g) {
        EXPECT_EQ(quom::greenOf(c), 0);
        EXPECT_EQ(quom::blueOf(c), 0);
    }
    EXPECT_LE(countNotes(g), 40);
    EXPECT_GE(countNotes(g), 35);
}

TEST(RandomPattern, VariationDrawsThreeTimesAfterTheCellPick)
{
    // Seed 1: cell 5, then draws 18467, 6334, 26500 vary (100, 100, 100) by
    // 127.5 * (2u - 1).
    quom::seedRandom(1);
    RandomSettings s = single(quom::makeCell(100, 100, 100), 1);
    s.variation = 50;
    Grid g{};
    quom::paintRandomPattern(g, s);
    EXPECT_EQ(g[5], quom::makeCell(116, 21, 178));
}

} // namespace
