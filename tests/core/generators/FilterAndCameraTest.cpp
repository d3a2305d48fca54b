#include "core/generators/CameraBlend.h"
#include "core/generators/CellFilter.h"

#include <gtest/gtest.h>

namespace {

using namespace quom;

Grid filled(Cell c)
{
    Grid g;
    g.fill(c);
    return g;
}

TEST(CellFilter, WhiteKeepsEverythingAndBlackPullsTheDestinationDown)
{
    Grid pattern{};
    pattern[0] = makeCell(255, 0, 0);
    pattern[1] = makeCell(200, 100, 50);
    pattern[2] = makeCell(7, 8, 9);
    const Grid start = pattern;
    for (int amount : {1, 50, 100}) {
        Grid p = start;
        applyCellFilter(p, filled(makeCell(255, 255, 255)), 0, amount);
        EXPECT_EQ(p, start) << amount;
    }

    applyCellFilter(pattern, filled(0), 0, 100);
    EXPECT_EQ(pattern[0], 0u) << "a pure red cell becomes empty";
    EXPECT_EQ(pattern[1], makeCell(0, 100, 50));
    EXPECT_EQ(pattern[3], 0u) << "empty cells stay empty";

    Grid half = start;
    applyCellFilter(half, filled(0), 2, 50);
    EXPECT_EQ(half[1], makeCell(200, 100, 25)) << "50 % of black halves the blue";
    EXPECT_EQ(half[2], makeCell(7, 8, 4));
}

TEST(CameraBlend, ModesChooseTheCellsAndAmountsHowFarEachChannelFollows)
{
    Grid start{};
    start[0] = makeCell(100, 100, 100);
    const Grid frame = filled(makeCell(200, 0, 50));

    CameraSettings all{CameraMode::AllCells, 100, 100, 100};
    EXPECT_EQ(blendFrame(start, frame, all), frame) << "a copy of the frame at 100 %";
    EXPECT_EQ(blendFrame(start, filled(0), all)[0], 0u) << "black pixels make empty cells";
    all.red = all.green = all.blue = 0;
    EXPECT_EQ(blendFrame(start, frame, all), start) << "0 % keeps every starting cell";
    all.red = 50;
    EXPECT_EQ(blendFrame(start, frame, all)[0], makeCell(150, 100, 100));

    const CameraSettings black{CameraMode::BlackCells, 100, 100, 100};
    const Grid blackOnly = blendFrame(start, frame, black);
    EXPECT_EQ(blackOnly[0], start[0]) << "painted cells stay";
    EXPECT_EQ(blackOnly[1], makeCell(200, 0, 50));

    const CameraSettings painted{CameraMode::PaintedCells, 100, 100, 100};
    EXPECT_EQ(blendFrame(Grid{}, frame, painted), Grid{}) << "an empty pattern stays empty";
    EXPECT_EQ(blendFrame(start, frame, painted)[0], makeCell(200, 0, 50));
}

} // namespace
