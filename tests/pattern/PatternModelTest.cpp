#include "pattern/PatternModel.h"

#include <gtest/gtest.h>

namespace {

using namespace quom;

struct Window {
    TempoValue slider{120};
    int undoEmptied = 0;
    int toolResets = 0;
    PatternModel model;

    Window()
    {
        model.setTempoSource(&slider);
        model.setHooks(
            {[this](int t) { slider.set(t); }, [this] { ++undoEmptied; }, [this] { ++toolResets; }});
    }
};

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

TEST(PatternModel, SwitchingAwayAndBackKeepsUnsavedEditsAndTempo)
{
    Window w;
    w.model.current().set(3, 7, makeCell(1, 0, 0)); // red 1: still a note
    w.slider.set(97);
    w.model.selection = {1, 2, 5, 6};

    EXPECT_TRUE(w.model.SelectPattern(4));
    EXPECT_EQ(w.model.currentIndex(), 4);
    EXPECT_EQ(w.model.current().at(3, 7), 0u);
    EXPECT_EQ(w.slider.tempo(), 120);
    EXPECT_TRUE(w.model.selection.empty());
    EXPECT_EQ(w.undoEmptied, 1);

    w.model.current().set(0, 0, makeCell(9, 9, 9));
    w.slider.set(200);
    EXPECT_TRUE(w.model.SelectPattern(0));
    EXPECT_EQ(w.model.current().at(3, 7), makeCell(1, 0, 0));
    EXPECT_EQ(w.slider.tempo(), 97);
    EXPECT_EQ(w.model.tempo(4), 200);
    EXPECT_EQ(w.model.slot(4)[cellIndex(0, 0)], makeCell(9, 9, 9));
}

TEST(PatternModel, SelectingTheCurrentSlotOnlyStoresIt)
{
    Window w;
    w.model.current().set(10, 10, makeCell(5, 6, 7));
    w.slider.set(180);
    w.model.selection = {2, 2, 4, 4};
    w.model.clip = {0, 0, 3, 3};

    EXPECT_FALSE(w.model.SelectPattern(0));
    EXPECT_EQ(w.model.tempo(0), 180);
    EXPECT_EQ(w.model.slot(0)[cellIndex(10, 10)], makeCell(5, 6, 7));
    EXPECT_EQ(w.model.selection, (CellRect{2, 2, 4, 4}));
    EXPECT_EQ(w.undoEmptied, 0);
}

TEST(PatternModel, SwitchKeepsTheClipAndTakesAFileTempoIntoTheSliderRange)
{
    Window w;
    w.model.clip = {1, 1, 2, 2};
    w.model.setTempo(5, 0);
    w.model.setTempo(6, 5000);
    w.model.SelectPattern(5);
    EXPECT_EQ(w.slider.tempo(), 1);
    EXPECT_EQ(w.model.tempo(5), 0); // the stored value stays as read until stored again
    w.model.SelectPattern(6);
    EXPECT_EQ(w.slider.tempo(), 350);
    EXPECT_EQ(w.model.clip, (CellRect{1, 1, 2, 2}));
}

TEST(PatternModel, ResetClearsPatternsTemposAndToolStateButNotTheWorkingGrids)
{
    Window w;
    w.model.scratch()[5] = 11;
    w.model.pasteBuffer()[5] = 12;
    w.model.filterGrid()[5] = 13;
    w.model.current().set(5, makeCell(1, 2, 3));
    w.model.setTempo(3, 77);
    w.model.SelectPattern(3);
    w.model.clip = {0, 0, 9, 9};
    w.model.selection = {4, 4, 1, 1};

    w.model.ResetProject();
    EXPECT_EQ(w.model.currentIndex(), 0);
    EXPECT_EQ(w.model.tempo(3), 120);
    EXPECT_EQ(w.model.slot(0)[5], 0u);
    EXPECT_EQ(w.model.current().at(5), 0u);
    EXPECT_TRUE(w.model.clip.empty());
    EXPECT_TRUE(w.model.selection.empty());
    EXPECT_EQ(w.toolResets, 1);
    EXPECT_EQ(w.model.scratch()[5], 11u);
    EXPECT_EQ(w.model.pasteBuffer()[5], 12u);
    EXPECT_EQ(w.model.filterGrid()[5], 13u);
}

TEST(PatternModel, CellRectOrdersCornersAndOnlyAllZeroIsEmpty)
{
    EXPECT_EQ((CellRect{5, 9, 2, 3}.ordered()), (CellRect{2, 3, 5, 9}));
    EXPECT_TRUE(CellRect{}.empty()); // also the one-cell selection at (0, 0)
    EXPECT_FALSE((CellRect{0, 0, 0, 1}.empty()));
}

} // namespace
