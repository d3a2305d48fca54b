#include "core/edit/ToolAlgorithms.h"

#include "core/random/Random.h"
#include "support/TestGrids.h"

#include <gtest/gtest.h>

namespace {

using quom::cellIndex;
using quom::CellRect;
using quom::Grid;
using quom::PaintedCell;

constexpr quom::Cell kRed = quom::makeCell(255, 0, 0);
constexpr quom::Cell kBlue = quom::makeCell(0, 0, 200);

TEST(LineTool, QuantizeSkipsPointsAndTheEndTakesColorTwo)
{
    const auto points = quom::linePoints(0, 3, 16, 3, kRed, kBlue, 4);
    EXPECT_EQ(points, (std::vector<PaintedCell>{{0, 3, kRed}, {16, 3, kBlue}}));

    // Unquantized, every cell of the walk is painted along the colour ramp.
    const auto all = quom::linePoints(5, 0, 5, 4, quom::makeCell(0, 0, 0), quom::makeCell(100, 0, 0), 0);
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[1], (PaintedCell{5, 1, quom::makeCell(25, 0, 0)}));
    EXPECT_EQ(all[4], (PaintedCell{5, 4, quom::makeCell(100, 0, 0)}));

    // Quantize 1 on 6 points: 0, 2 and 4.
    const auto everyOther = quom::linePoints(10, 10, 5, 10, kRed, kBlue, 1);
    ASSERT_EQ(everyOther.size(), 3u);
    EXPECT_EQ(everyOther[2].column, 6);
}

TEST(LineTool, WalksDiagonalsAndShallowLinesCellByCell)
{
    const auto diagonal = quom::linePoints(0, 0, 3, 3, kRed, kRed, 0);
    EXPECT_EQ(diagonal, (std::vector<PaintedCell>{{0, 0, kRed}, {1, 1, kRed}, {2, 2, kRed}, {3, 3, kRed}}));

    const auto shallow = quom::linePoints(0, 0, 4, 1, kRed, kRed, 0);
    std::vector<std::pair<int, int>> cells;
    for (const auto& p : shallow)
        cells.emplace_back(p.column, p.row);
    EXPECT_EQ(cells, (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}));

    // Walking backwards and steeply still ends on the end cell.
    const auto steep = quom::linePoints(63, 63, 60, 0, kRed, kRed, 0);
    ASSERT_EQ(steep.size(), 64u);
    EXPECT_EQ(steep.back().column, 60);
    EXPECT_EQ(steep.back().row, 0);

    EXPECT_EQ(quom::linePoints(9, 9, 9, 9, kRed, kBlue, 3), (std::vector<PaintedCell>{{9, 9, kRed}}));
}

TEST(EraserTool, FootprintsGrowAroundTheCellAndClipAtTheEdges)
{
    EXPECT_EQ(quom::eraserFootprint(20, 30, 1), (CellRect{20, 30, 20, 30}));
    EXPECT_EQ(quom::eraserFootprint(20, 30, 2), (CellRect{19, 29, 20, 30}));
    EXPECT_EQ(quom::eraserFootprint(20, 30, 3), (CellRect{19, 29, 21, 31}));
    EXPECT_EQ(quom::eraserFootprint(0, 0, 10), (CellRect{0, 0, 4, 4}));
    EXPECT_EQ(quom::eraserFootprint(63, 62, 10), (CellRect{58, 57, 63, 63}));
}

TEST(AirbrushTool, DotsOffTheGridAreDroppedNotClamped)
{
    quom::seedRandom(5);
    int dropped = 0;
    for (int i = 0; i < 2000; ++i) {
        const auto dot = quom::airbrushDot(0, 63, 32, kRed, kBlue);
        if (!dot) {
            ++dropped;
            continue;
        }
        EXPECT_GE(dot->column, 0);
        EXPECT_LT(dot->column, 64);
        EXPECT_GE(dot->row, 0);
        EXPECT_LT(dot->row, 64);
        EXPECT_EQ(quom::greenOf(dot->color), 0);
    }
    EXPECT_GT(dropped, 1000); // three quarters of the circle lie off the grid
}

TEST(AirbrushTool, OneDotDrawsDistanceAngleAndColor)
{
    // Seed 1: d = 41/32767 * 8 (about 0.01) at angle 18467/32767 * 2 pi (about 3.54)
    // gives (9.99, 19.996), truncated to (9, 19); u = 6334/32767 picks the colour.
    quom::seedRandom(1);
    const auto dot = quom::airbrushDot(10, 20, 8, quom::makeCell(0, 0, 0), quom::makeCell(200, 100, 0));
    ASSERT_TRUE(dot.has_value());
    EXPECT_EQ(*dot, (PaintedCell{9, 19, quom::makeCell(38, 19, 0)}));
    EXPECT_EQ(quom::nextRandom(), 26500); // exactly three draws were taken
}

TEST(HandTool, ShiftsWrapAndReturnToTheAnchor)
{
    const Grid scratch = distinctGrid();
    Grid pattern = scratch;

    quom::applyHandShift(pattern, scratch, quom::HandMode::WholePattern, 10, 10, 1, 0);
    EXPECT_EQ(pattern[cellIndex(0, 4)], scratch[cellIndex(63, 4)]);
    EXPECT_EQ(pattern[cellIndex(6, 4)], scratch[cellIndex(5, 4)]);
    quom::applyHandShift(pattern, scratch, quom::HandMode::WholePattern, 10, 10, 0, 0);
    EXPECT_EQ(pattern, scratch);

    quom::applyHandShift(pattern, scratch, quom::HandMode::OneRow, 10, 7, -2, 5);
    EXPECT_EQ(pattern[cellIndex(62, 7)], scratch[cellIndex(0, 7)]);
    EXPECT_EQ(pattern[cellIndex(0, 8)], scratch[cellIndex(0, 8)]);
    quom::applyHandShift(pattern, scratch, quom::HandMode::OneRow, 10, 7, 0, 5);
    EXPECT_EQ(pattern, scratch);

    quom::applyHandShift(pattern, scratch, quom::HandMode::OneColumn, 10, 7, 5, 3);
    EXPECT_EQ(pattern[cellIndex(10, 1)], scratch[cellIndex(10, 62)]);
    EXPECT_EQ(pattern[cellIndex(11, 1)], scratch[cellIndex(11, 1)]);
    quom::applyHandShift(pattern, scratch, quom::HandMode::OneColumn, 10, 7, 5, 0);
    EXPECT_EQ(pattern, scratch);
}

} // namespace
