#include "pattern/PatternCommands.h"
#include "CanvasFixture.h"
#include "TestGrids.h"
#include "pattern/Transforms.h"
#include "support/QtPrinters.h"

using namespace quom;

namespace {

const Cell kRed = makeCell(255, 0, 0);
const Cell kGreen = makeCell(0, 255, 0);

class PatternCommandsTest : public CanvasFixture {
protected:
    PatternCommandsTest() { tools.selectTool(Tool::Selector); }

    // The selector dragged from one cell to another, then the command.
    void select(QPoint from, QPoint to) { drag(at(from.x(), from.y()), at(to.x(), to.y())); }

    PatternCommands commands{model, undo, view, tools};
};

TEST_F(PatternCommandsTest, TransformsAreOneUndoableEditEach)
{
    const Grid start = distinctGrid();
    model.current().assign(start);
    undo.Initialise(start);

    for (CommandId id : {CommandId::RevX, CommandId::RevY, CommandId::Rotate, CommandId::Rotate2,
             CommandId::LineH, CommandId::LineV, CommandId::Cells, CommandId::Automata, CommandId::Drum})
        EXPECT_TRUE(commands.run(id));
    EXPECT_EQ(undo.size(), 10);

    model.current().assign(start);
    commands.run(CommandId::Rotate2);
    EXPECT_EQ(cell(63, 0), start[cellIndex(0, 0)]) << "clockwise";
    commands.run(CommandId::Rotate);
    EXPECT_EQ(model.current().snapshot(), start);

    commands.scroll(-4, 1);
    EXPECT_EQ(cell(60, 1), start[cellIndex(0, 0)]);
    EXPECT_EQ(undo.size(), 13);
    EXPECT_FALSE(commands.run(CommandId::Play));
}

TEST_F(PatternCommandsTest, CopyOrdersTheSelectionAndCutClearsIt)
{
    commands.run(CommandId::Copy);
    commands.run(CommandId::Paste);
    EXPECT_FALSE(tools.floating()) << "a copy without a selection leaves nothing to paste";

    model.current().set(5, 3, kRed);
    select({10, 5}, {3, 2});
    commands.run(CommandId::Copy);
    EXPECT_EQ(model.clip, (CellRect{3, 2, 10, 5}));
    EXPECT_TRUE(model.selection.empty());
    EXPECT_EQ(undo.size(), 1) << "Copy changes no cell";

    commands.run(CommandId::Cut);
    EXPECT_EQ(undo.size(), 1) << "nothing selected, nothing cut";

    select({5, 3}, {6, 3});
    commands.run(CommandId::Cut);
    EXPECT_EQ(cell(5, 3), 0u);
    EXPECT_EQ(model.pasteBuffer()[cellIndex(5, 3)], kRed);
    EXPECT_EQ(undo.size(), 2);
}

TEST_F(PatternCommandsTest, FloatingPasteFollowsTheMouseAndIsPlacedByTheNextCommand)
{
    model.current().set(0, 1, kRed);
    select({0, 1}, {1, 1}); // two cells: red, black
    commands.run(CommandId::Copy);
    model.current().set(33, 32, kGreen);

    EXPECT_TRUE(commands.run(CommandId::Paste));
    EXPECT_EQ(tools.tool(), Tool::FloatingPaste);
    EXPECT_EQ(model.selection, (CellRect{31, 32, 32, 32}));
    EXPECT_EQ(pixel(at(31, 32)), QColor(255, 0, 0));

    // Grabbed inside and dragged; a move that would leave the grid is ignored.
    press(at(32, 32));
    moveTo(at(34, 40));
    EXPECT_EQ(model.selection, (CellRect{33, 40, 34, 40}));
    moveTo(at(63, 40));
    EXPECT_EQ(model.selection, (CellRect{62, 40, 63, 40}));
    moveTo(at(0, 40)); // the left edge would land on -1
    EXPECT_EQ(model.selection, (CellRect{62, 40, 63, 40}));
    moveTo(at(5, 32));
    release(at(5, 32));
    EXPECT_EQ(model.selection, (CellRect{4, 32, 5, 32}));
    EXPECT_EQ(undo.size(), 1) << "nothing is placed while it floats";

    commands.commit();
    EXPECT_EQ(tools.tool(), Tool::Selector);
    EXPECT_EQ(cell(4, 32), kRed);
    EXPECT_EQ(cell(5, 32), 0u);
    EXPECT_TRUE(model.selection.empty());
    EXPECT_EQ(undo.size(), 2);
    commands.commit();
    EXPECT_EQ(undo.size(), 2) << "nothing floats any more";
}

TEST_F(PatternCommandsTest, MixKeepsTheCellsUnderBlackAndEscapeDropsTheFloat)
{
    model.current().set(0, 1, kRed);
    select({0, 1}, {1, 1});
    commands.run(CommandId::Copy);
    model.current().set(32, 32, kGreen);

    commands.run(CommandId::Mix);
    EXPECT_EQ(pixel(at(32, 32)), QColor(0, 255, 0)) << "black is transparent in a mix";
    commands.commit();
    EXPECT_EQ(cell(31, 32), kRed);
    EXPECT_EQ(cell(32, 32), kGreen);

    commands.run(CommandId::Paste);
    commands.cancel();
    EXPECT_EQ(tools.tool(), Tool::Selector);
    EXPECT_EQ(cell(32, 32), kGreen);
    EXPECT_EQ(undo.size(), 2);

    select({3, 3}, {4, 4});
    commands.cancel();
    EXPECT_TRUE(model.selection.empty()) << "Esc clears the selector's selection";
}

} // namespace
