#include "core/edit/Transforms.h"

#include "core/random/Random.h"
#include "support/TestGrids.h"

#include <gtest/gtest.h>

namespace {

using quom::cellIndex;
using quom::Grid;

TEST(Transforms, ReversesMirrorAndUndoThemselves)
{
    const Grid original = distinctGrid();
    Grid g = original;
    quom::reverseX(g);
    EXPECT_EQ(g[cellIndex(63, 7)], original[cellIndex(0, 7)]);
    EXPECT_EQ(g[cellIndex(31, 7)], original[cellIndex(32, 7)]);
    quom::reverseX(g);
    EXPECT_EQ(g, original);

    quom::reverseY(g);
    EXPECT_EQ(g[cellIndex(7, 63)], original[cellIndex(7, 0)]);
    EXPECT_EQ(g[cellIndex(7, 32)], original[cellIndex(7, 31)]);
    quom::reverseY(g);
    EXPECT_EQ(g, original);
}

TEST(Transforms, QuarterTurnsMoveCornersAndFourMakeTheIdentity)
{
    const Grid original = distinctGrid();
    const quom::Cell topLeft = original[cellIndex(0, 0)];

    Grid clockwise = original;
    quom::rotateQuarterTurns(clockwise, 1);
    EXPECT_EQ(clockwise[cellIndex(63, 0)], topLeft);
    EXPECT_EQ(clockwise[cellIndex(63 - 9, 4)], original[cellIndex(4, 9)]);

    Grid counter = original;
    quom::rotateQuarterTurns(counter, -1);
    EXPECT_EQ(counter[cellIndex(0, 63)], topLeft);
    EXPECT_EQ(counter[cellIndex(9, 63 - 4)], original[cellIndex(4, 9)]);

    Grid threeBack = original;
    quom::rotateQuarterTurns(threeBack, -3);
    EXPECT_EQ(threeBack, clockwise);

    Grid g = original;
    for (int i = 0; i < 4; ++i)
        quom::rotateQuarterTurns(g, 1);
    EXPECT_EQ(g, original);
    quom::rotateQuarterTurns(g, 1);
    quom::rotateQuarterTurns(g, -1);
    EXPECT_EQ(g, original);
}

TEST(Transforms, ScrollWrapsAtEveryEdge)
{
    const Grid original = distinctGrid();
    Grid g = original;
    quom::scroll(g, -1, 0);
    EXPECT_EQ(g[cellIndex(63, 5)], original[cellIndex(0, 5)]);
    EXPECT_EQ(g[cellIndex(0, 5)], original[cellIndex(1, 5)]);

    g = original;
    quom::scroll(g, 4, 1);
    EXPECT_EQ(g[cellIndex(3, 0)], original[cellIndex(63, 63)]);
    quom::scroll(g, -4, -1);
    EXPECT_EQ(g, original);

    g = original;
    quom::scroll(g, 64 * 3, -64);
    EXPECT_EQ(g, original);
}

TEST(Transforms, ShufflesKeepEveryCellAndRowsStayWhole)
{
    const Grid original = distinctGrid();
    quom::seedRandom(99);

    Grid rows = original;
    quom::shuffleRows(rows);
    EXPECT_NE(rows, original);
    EXPECT_EQ(sortedCells(rows), sortedCells(original));
    // Each row of the result is some source row, in its own column order.
    for (int y = 0; y < quom::kRows; ++y) {
        const int sourceRow = static_cast<int>(rows[cellIndex(0, y)] - 1) % quom::kRows;
        for (int x = 0; x < quom::kColumns; ++x)
            EXPECT_EQ(rows[cellIndex(x, y)], original[cellIndex(x, sourceRow)]);
    }

    Grid columns = original;
    quom::shuffleColumns(columns);
    EXPECT_NE(columns, original);
    EXPECT_EQ(sortedCells(columns), sortedCells(original));

    Grid cells = original;
    quom::shuffleCells(cells);
    EXPECT_NE(cells, original);
    EXPECT_EQ(sortedCells(cells), sortedCells(original));
}

TEST(Transforms, ShufflesFollowTheGeneratorDrawByDraw)
{
    const Grid original = distinctGrid();

    // Seed 1 draws 41, 18467, 6334: k = 0 of 64 free rows, 35 of 63, 11 of 62.
    quom::seedRandom(1);
    Grid rows = original;
    quom::shuffleRows(rows);
    EXPECT_EQ(rows[cellIndex(5, 0)], original[cellIndex(5, 0)]);
    EXPECT_EQ(rows[cellIndex(5, 36)], original[cellIndex(5, 1)]);
    EXPECT_EQ(rows[cellIndex(5, 12)], original[cellIndex(5, 2)]);

    // 41 / 32767 * 4095 = 5.1: the first cell goes to index 5.
    quom::seedRandom(1);
    Grid cells = original;
    quom::shuffleCells(cells);
    EXPECT_EQ(cells[5], original[0]);
}

TEST(Transforms, ShuffleDrawingOnePastTheFreeTargetsTakesTheLastOne)
{
    // This seed makes the first nextRandom() give 32767, so randomInt(64) returns 64.
    constexpr std::uint32_t kSeedDrawingMax = 4028364353u;
    quom::seedRandom(kSeedDrawingMax);
    ASSERT_EQ(quom::nextRandom(), quom::kRandMax);

    const Grid original = distinctGrid();
    quom::seedRandom(kSeedDrawingMax);
    Grid rows = original;
    quom::shuffleRows(rows);
    EXPECT_EQ(rows[cellIndex(0, 63)], original[cellIndex(0, 0)]);
    EXPECT_EQ(sortedCells(rows), sortedCells(original));

    quom::seedRandom(kSeedDrawingMax);
    Grid columns = original;
    quom::shuffleColumns(columns);
    EXPECT_EQ(columns[cellIndex(63, 0)], original[cellIndex(0, 0)]);
    EXPECT_EQ(sortedCells(columns), sortedCells(original));
}

TEST(Transforms, OffsetColorsClampsAndLeavesEmptyCellsEmpty)
{
    Grid g{};
    g[0] = quom::makeCell(250, 100, 7);
    g[1] = quom::makeCell(5, 0, 0);
    g[2] = quom::makeCell(0, 0, 200);

    EXPECT_TRUE(quom::offsetColours(g, 10, 0, 0));
    EXPECT_EQ(g[0], quom::makeCell(255, 100, 7));
    EXPECT_EQ(g[1], quom::makeCell(15, 0, 0));
    EXPECT_EQ(g[2], quom::makeCell(10, 0, 200));
    EXPECT_EQ(countNotes(g), 3);

    EXPECT_TRUE(quom::offsetColours(g, -15, -20, -10));
    EXPECT_EQ(g[0], quom::makeCell(240, 80, 0));
    EXPECT_EQ(g[1], 0u); // pushed to black: now an empty cell
    EXPECT_EQ(g[2], quom::makeCell(0, 0, 190));

    const Grid before = g;
    EXPECT_FALSE(quom::offsetColours(g, 0, 0, 0));
    EXPECT_EQ(g, before);
}

} // namespace
