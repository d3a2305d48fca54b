#include "CanvasFixture.h"
#include "support/QtPrinters.h"

using namespace quom;

namespace {

const Cell kRed = makeCell(255, 0, 0);
const Cell kGreen = makeCell(0, 255, 0);

// Copy and cut from the project, paste and mix floating on the canvas, as the main
// window's commands run them.
class ClipboardCommands : public CanvasFixture {
protected:
    ClipboardCommands() { tools.selectTool(Tool::Selector); }

    // The selector dragged from one cell to another, then the command.
    void select(QPoint from, QPoint to) { drag(at(from.x(), from.y()), at(to.x(), to.y())); }
};

TEST_F(ClipboardCommands, CopyOrdersTheSelectionAndCutClearsIt)
{
    project.copy();
    tools.startFloating(false);
    EXPECT_FALSE(tools.floating()) << "a copy without a selection leaves nothing to paste";

    model.current().set(5, 3, kRed);
    select({10, 5}, {3, 2});
    project.copy();
    EXPECT_EQ(model.clip, (CellRect{3, 2, 10, 5}));
    EXPECT_TRUE(model.selection.empty());
    EXPECT_EQ(undo.size(), 1) << "Copy changes no cell";

    project.cut();
    EXPECT_EQ(undo.size(), 1) << "nothing selected, nothing cut";

    select({5, 3}, {6, 3});
    project.cut();
    EXPECT_EQ(cell(5, 3), 0u);
    EXPECT_EQ(model.pasteBuffer()[cellIndex(5, 3)], kRed);
    EXPECT_EQ(undo.size(), 2);
}

TEST_F(ClipboardCommands, FloatingPasteFollowsTheMouseAndIsPlacedByTheNextCommand)
{
    model.current().set(0, 1, kRed);
    select({0, 1}, {1, 1}); // two cells: red, black
    project.copy();
    model.current().set(33, 32, kGreen);

    EXPECT_TRUE(tools.startFloating(false));
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

    tools.placeFloating();
    EXPECT_EQ(tools.tool(), Tool::Selector);
    EXPECT_EQ(cell(4, 32), kRed);
    EXPECT_EQ(cell(5, 32), 0u);
    EXPECT_TRUE(model.selection.empty());
    EXPECT_EQ(undo.size(), 2);
    tools.placeFloating();
    EXPECT_EQ(undo.size(), 2) << "nothing floats any more";
}

TEST_F(ClipboardCommands, MixKeepsTheCellsUnderBlackAndEscapeDropsTheFloat)
{
    model.current().set(0, 1, kRed);
    select({0, 1}, {1, 1});
    project.copy();
    model.current().set(32, 32, kGreen);

    tools.startFloating(true);
    EXPECT_EQ(pixel(at(32, 32)), QColor(0, 255, 0)) << "black is transparent in a mix";
    tools.placeFloating();
    EXPECT_EQ(cell(31, 32), kRed);
    EXPECT_EQ(cell(32, 32), kGreen);

    tools.startFloating(false);
    tools.cancel();
    EXPECT_EQ(tools.tool(), Tool::Selector);
    EXPECT_EQ(cell(32, 32), kGreen);
    EXPECT_EQ(undo.size(), 2);

    select({3, 3}, {4, 4});
    tools.cancel();
    EXPECT_TRUE(model.selection.empty()) << "Esc clears the selector's selection";
}

} // namespace
