#include "core/model/PatternModel.h"

#include <gtest/gtest.h>

namespace {

using namespace quom;

TEST(PatternModel, NewProjectIsEmptyAtTheDefaultTempo)
{
    PatternModel model;
    EXPECT_EQ(model.currentIndex(), 0);
    for (int s = 0; s < kPatternSlots; ++s) {
        EXPECT_EQ(model.tempo(s), 120);
        for (Cell c : model.slot(s))
            ASSERT_EQ(c, 0u);
    }
    EXPECT_TRUE(model.selection.empty());
    EXPECT_TRUE(model.clip.empty());
}

TEST(PatternModel, ResetClearsPatternsAndTemposButNotTheWorkingGrids)
{
    PatternModel model;
    model.scratch()[5] = 11;
    model.pasteBuffer()[5] = 12;
    model.filterGrid()[5] = 13;
    model.current().set(5, makeCell(1, 2, 3));
    model.setTempo(3, 77);
    EXPECT_TRUE(model.showSlot(3));
    EXPECT_FALSE(model.showSlot(-1));
    model.clip = {0, 0, 9, 9};
    model.selection = {4, 4, 1, 1};

    model.resetProject();
    EXPECT_EQ(model.currentIndex(), 0);
    EXPECT_EQ(model.tempo(3), 120);
    EXPECT_EQ(model.slot(0)[5], 0u);
    EXPECT_EQ(model.current().at(5), 0u);
    EXPECT_TRUE(model.clip.empty());
    EXPECT_TRUE(model.selection.empty());
    EXPECT_EQ(model.scratch()[5], 11u);
    EXPECT_EQ(model.pasteBuffer()[5], 12u);
    EXPECT_EQ(model.filterGrid()[5], 13u);
}

TEST(PatternModel, CellRectOrdersCornersAndOnlyAllZeroIsEmpty)
{
    EXPECT_EQ((CellRect{5, 9, 2, 3}.ordered()), (CellRect{2, 3, 5, 9}));
    EXPECT_TRUE(CellRect{}.empty()); // also the one-cell selection at (0, 0)
    EXPECT_FALSE((CellRect{0, 0, 0, 1}.empty()));
}

} // namespace
