#include "core/model/UndoSystem.h"

#include <gtest/gtest.h>

namespace {

using quom::Grid;
using quom::UndoSystem;

// A pattern told apart by one cell.
Grid patternWith(quom::Cell first)
{
    Grid g{};
    g[0] = first;
    return g;
}

TEST(UndoSystem, FreshHistoryHasNothingToUndoOrRedo)
{
    UndoSystem undo;
    undo.Initialise(patternWith(0));
    EXPECT_EQ(undo.cursor(), 0);
    EXPECT_EQ(undo.Undo(), nullptr);
    EXPECT_EQ(undo.Redo(), nullptr);
    EXPECT_EQ(undo.cursor(), 0);
}

TEST(UndoSystem, UndoAndRedoWalkTheSnapshots)
{
    UndoSystem undo;
    undo.Initialise(patternWith(0));
    undo.Record(patternWith(1));
    undo.Record(patternWith(2));

    const Grid* shown = undo.Undo();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ((*shown)[0], 1u);
    shown = undo.Undo();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ((*shown)[0], 0u);
    EXPECT_EQ(undo.Undo(), nullptr);

    shown = undo.Redo();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ((*shown)[0], 1u);
    shown = undo.Redo();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ((*shown)[0], 2u);
    EXPECT_EQ(undo.Redo(), nullptr);
    EXPECT_EQ(undo.cursor(), 2);
}

TEST(UndoSystem, AnEditAfterUndoDiscardsTheUndoneStates)
{
    UndoSystem undo;
    undo.Initialise(patternWith(0));
    undo.Record(patternWith(1));
    undo.Record(patternWith(2));
    undo.Undo();
    undo.Undo();

    undo.Record(patternWith(9));
    EXPECT_EQ(undo.size(), 2);
    EXPECT_EQ(undo.cursor(), 1);
    EXPECT_EQ(undo.Redo(), nullptr);
    const Grid* shown = undo.Undo();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ((*shown)[0], 0u);
    shown = undo.Redo();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ((*shown)[0], 9u);
}

TEST(UndoSystem, AfterEmptyingTheFirstEditCannotBeUndone)
{
    UndoSystem undo;
    undo.Initialise(patternWith(0));
    undo.Record(patternWith(1));
    undo.Empty();
    EXPECT_EQ(undo.cursor(), -1);
    EXPECT_EQ(undo.Undo(), nullptr);
    EXPECT_EQ(undo.Redo(), nullptr);

    undo.Record(patternWith(5));
    EXPECT_EQ(undo.cursor(), 0);
    EXPECT_EQ(undo.Undo(), nullptr);

    undo.Record(patternWith(6));
    const Grid* shown = undo.Undo();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ((*shown)[0], 5u);
}

TEST(UndoSystem, SnapshotsAreCopiesNotViews)
{
    UndoSystem undo;
    Grid pattern = patternWith(3);
    pattern[quom::kCells - 1] = 7;
    undo.Initialise(pattern);
    pattern.fill(0);
    undo.Record(pattern);
    const Grid* shown = undo.Undo();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ((*shown)[0], 3u);
    EXPECT_EQ((*shown)[quom::kCells - 1], 7u);
}

} // namespace
