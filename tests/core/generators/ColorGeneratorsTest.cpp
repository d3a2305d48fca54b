#include "core/color/ColorVariation.h"
#include "core/generators/ColorCurves.h"
#include "core/generators/MutateColors.h"
#include "core/random/Random.h"
#include "support/TestGrids.h"

#include <gtest/gtest.h>

namespace {

using quom::Grid;
using quom::makeCell;

TEST(MutateColors, DrawsThreeTimesPerPaintedCellAsVaryColourDoes)
{
    // No amount draws nothing. Then seed 1 draws 41, 18467, 6334 | 26500, 19169, 15724:
    // the first red falls to 0, leaving black, and the second red takes the fourth draw,
    // since green and blue at 0 % still draw; the empty cells draw nothing.
    quom::seedRandom(1);
    Grid g{};
    g[0] = g[9] = makeCell(200, 0, 0);
    quom::mutateCells(g, 0, 0, 0);
    quom::mutateCells(g, 100, 0, 0);
    EXPECT_EQ(g[0], makeCell(1, 1, 1));
    EXPECT_EQ(g[9], makeCell(255, 0, 0));
    EXPECT_EQ(countNotes(g), 2);
    EXPECT_EQ(quom::nextRandom(), 11478);

    quom::seedRandom(3);
    Grid expected = distinctGrid();
    for (quom::Cell& c : expected) {
        c = quom::varyColour(c, quom::variationAmount(30));
        c = c != 0 ? c : makeCell(1, 1, 1);
    }
    quom::seedRandom(3);
    g = distinctGrid();
    quom::mutateCells(g, 30, 30, 30);
    EXPECT_EQ(g, expected);
}

TEST(ColorCurves, EachAmountBendsOnlyItsOwnChannelOfThePaintedCells)
{
    Grid start{};
    start[0] = makeCell(8, 200, 77);
    start[1] = makeCell(200, 8, 0);
    Grid g = quom::withColorCurves(start, {{50, -50, 0}, {}});
    EXPECT_EQ(g[0], makeCell(143, 59, 77));
    EXPECT_EQ(g[1], makeCell(244, 0, 0));

    // Inverted, 0 and 255 swap; empty cells stay empty and a cell mapped to black empties.
    start[2] = makeCell(255, 0, 0);
    start[3] = makeCell(0, 5, 0);
    const quom::CurveSettings inverted{{1, 0, 0}, {true, false, false}};
    g = quom::withColorCurves(start, inverted);
    EXPECT_EQ(g[1], makeCell(50, 8, 0));
    EXPECT_EQ(g[2], 0u);
    EXPECT_EQ(g[3], makeCell(255, 5, 0));
    EXPECT_EQ(countNotes(g), 3);

    // With every amount at 0 an inversion still turns its channel over; only identity
    // curves give the start back.
    g = quom::withColorCurves(start, {{0, 0, 0}, inverted.inverted});
    EXPECT_EQ(g[2], 0u);
    EXPECT_EQ(g[3], makeCell(255, 5, 0));
    EXPECT_EQ(quom::withColorCurves(start, {}), start);

    const float p = quom::curveExponent(-10); // 2
    EXPECT_FLOAT_EQ(quom::curvePlotHeight(21, p, false), 8.0f / 9.0f);
    EXPECT_FLOAT_EQ(quom::curveStripIntensity(21, p, true), 8.0f / 9.0f);
}

} // namespace
