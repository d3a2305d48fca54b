#include "core/edit/Clipboard.h"

#include "support/TestGrids.h"

#include <gtest/gtest.h>

namespace {

using quom::cellIndex;
using quom::CellRect;
using quom::Grid;

TEST(Clipboard, CopyOrdersTheDraggedCornersAndKeepsTheWholePattern)
{
    const Grid pattern = distinctGrid();
    CellRect selection{10, 5, 3, 2};
    Grid buffer{};
    CellRect clip;
    quom::copySelection(pattern, selection, buffer, clip);
    EXPECT_EQ(clip, (CellRect{3, 2, 10, 5}));
    EXPECT_TRUE(selection.empty());
    EXPECT_EQ(buffer, pattern);
}

TEST(Clipboard, WithoutASelectionThereIsNothingToCutOrPaste)
{
    Grid pattern = distinctGrid();
    CellRect selection;
    Grid buffer{};
    CellRect clip{1, 1, 2, 2};
    EXPECT_FALSE(quom::cutSelection(pattern, selection, buffer, clip));
    EXPECT_EQ(pattern, distinctGrid());

    quom::copySelection(pattern, selection, buffer, clip);
    EXPECT_FALSE(quom::floatingStart(clip).has_value());

    // The top-left cell alone reads as no selection.
    selection = {0, 0, 0, 0};
    EXPECT_FALSE(quom::cutSelection(pattern, selection, buffer, clip));
}

TEST(Clipboard, CutClearsTheSelectedCellsBoundsIncluded)
{
    Grid pattern = distinctGrid();
    CellRect selection{5, 6, 2, 3};
    Grid buffer{};
    CellRect clip;
    ASSERT_TRUE(quom::cutSelection(pattern, selection, buffer, clip));
    EXPECT_EQ(buffer, distinctGrid());
    for (int x = 0; x < quom::kColumns; ++x) {
        for (int y = 0; y < quom::kRows; ++y) {
            const bool inside = x >= 2 && x <= 5 && y >= 3 && y <= 6;
            EXPECT_EQ(pattern[cellIndex(x, y)] == 0, inside) << x << "," << y;
        }
    }
}

TEST(Clipboard, PasteFloatsCentredAndMovesOnlyWithinTheGrid)
{
    EXPECT_EQ(quom::floatingStart(CellRect{7, 7, 7, 7}), (CellRect{32, 32, 32, 32}));
    EXPECT_EQ(quom::floatingStart(CellRect{0, 0, 63, 63}), (CellRect{0, 0, 63, 63}));
    EXPECT_EQ(quom::floatingStart(CellRect{10, 20, 13, 20}), (CellRect{30, 32, 33, 32}));

    CellRect floating{30, 32, 33, 32};
    EXPECT_TRUE(quom::moveFloating(floating, -30, 31));
    EXPECT_EQ(floating, (CellRect{0, 63, 3, 63}));
    EXPECT_FALSE(quom::moveFloating(floating, -1, 0));
    EXPECT_FALSE(quom::moveFloating(floating, 0, 1));
    EXPECT_EQ(floating, (CellRect{0, 63, 3, 63}));
    EXPECT_TRUE(quom::moveFloating(floating, 60, 0));
    EXPECT_FALSE(quom::moveFloating(floating, 1, 0));
}

TEST(Clipboard, PlacingPastesEveryCellWhileMixSkipsBlack)
{
    Grid buffer{};
    buffer[cellIndex(2, 2)] = 0x112233;
    buffer[cellIndex(3, 2)] = 0; // black in the buffer
    const CellRect clip{2, 2, 3, 2};
    const CellRect floating{40, 50, 41, 50};
    EXPECT_EQ(quom::carriedCell(buffer, clip, floating, 40, 50), 0x112233u);

    Grid pattern = distinctGrid();
    const quom::Cell under = pattern[cellIndex(41, 50)];
    Grid mixed = pattern;
    quom::placeFloating(mixed, buffer, clip, floating, true);
    EXPECT_EQ(mixed[cellIndex(40, 50)], 0x112233u);
    EXPECT_EQ(mixed[cellIndex(41, 50)], under);

    quom::placeFloating(pattern, buffer, clip, floating, false);
    EXPECT_EQ(pattern[cellIndex(40, 50)], 0x112233u);
    EXPECT_EQ(pattern[cellIndex(41, 50)], 0u);
    EXPECT_EQ(countNotes(pattern), quom::kCells - 1);
}

} // namespace
