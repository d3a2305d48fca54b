#include "CanvasFixture.h"
#include "core/random/Random.h"
#include "support/QtPrinters.h"
#include "support/TestGrids.h"

#include <QApplication>
#include <QSignalSpy>

#include <algorithm>
#include <cstdlib>
#include <set>

using namespace quom;

namespace {

const Cell kRed = makeCell(255, 0, 0);
const Cell kBlue = makeCell(0, 0, 255);

using CanvasToolsTest = CanvasFixture;

TEST_F(CanvasToolsTest, PencilStrokeIsOneUndoableEditAndRightButtonErasesWithoutOne)
{
    press(at(5, 12));
    moveTo(at(6, 12));
    moveTo(at(7, 13));
    release(at(7, 13));
    EXPECT_EQ(cell(5, 12), options.pencilColor);
    EXPECT_EQ(cell(6, 12), options.pencilColor);
    EXPECT_EQ(cell(7, 13), options.pencilColor);
    EXPECT_EQ(undo.size(), 2);

    press(at(6, 12), Qt::RightButton);
    moveTo(at(7, 13));
    release(at(7, 13), Qt::RightButton);
    EXPECT_EQ(cell(6, 12), 0u);
    EXPECT_EQ(cell(7, 13), 0u);
    EXPECT_EQ(undo.size(), 2);

    // The next stroke's snapshot carries the right-button erasing along.
    press(at(0, 0));
    release(at(0, 0));
    ASSERT_EQ(undo.size(), 3);
    project.undo();
    EXPECT_EQ(cell(6, 12), options.pencilColor);
    EXPECT_EQ(cell(0, 0), 0u);
}

TEST_F(CanvasToolsTest, PencilVariesEveryCellAndCtrlClickPaintsNothing)
{
    quom::seedRandom(7);
    options.pencilColor = kRed;
    options.pencilVariation = 100;
    press(at(1, 1));
    for (int i = 2; i < 40; ++i)
        moveTo(at(i, 1));
    release(at(39, 1));
    std::set<Cell> colors;
    for (int x = 1; x < 40; ++x)
        colors.insert(cell(x, 1));
    EXPECT_GT(colors.size(), 30u);
    EXPECT_TRUE(std::any_of(colors.begin(), colors.end(), [](Cell c) { return greenOf(c) > 0; }));

    press(at(50, 50), Qt::LeftButton, Qt::ControlModifier);
    moveTo(at(51, 50));
    EXPECT_EQ(cell(50, 50), 0u);
    EXPECT_EQ(cell(51, 50), 0u);
}

TEST_F(CanvasToolsTest, ReleaseOffTheCanvasLeavesTheStrokeOpen)
{
    press(at(3, 3));
    release(offCanvas());
    EXPECT_EQ(undo.size(), 1);

    tools.selectTool(Tool::Eraser);
    options.eraserSize = 1;
    model.current().set(10, 10, kRed);
    model.current().set(11, 10, kRed);
    press(at(10, 10));
    EXPECT_EQ(cell(10, 10), 0u);
    release(offCanvas());
    EXPECT_EQ(undo.size(), 1);
    // Still erasing: a plain move back over the canvas clears what it passes.
    moveTo(at(11, 10));
    EXPECT_EQ(cell(11, 10), 0u);
    press(at(20, 20));
    release(at(20, 20));
    EXPECT_EQ(undo.size(), 2);
}

TEST_F(CanvasToolsTest, EraserClearsItsFootprintAndShowsItsOutlineOnlyOverTheCanvas)
{
    for (int i = 0; i < kCells; ++i)
        model.current().set(i, kBlue);
    tools.selectTool(Tool::Eraser);
    options.eraserSize = 2;

    moveTo(at(20, 20));
    const QRect outline = geometry.cellRect(19, 19).united(geometry.cellRect(20, 20));
    EXPECT_EQ(tools.eraserOutline(), outline);
    EXPECT_EQ(pixel(outline.topLeft()), QColor(Qt::white));
    EXPECT_EQ(pixel(outline.center()), QColor(Qt::black));
    EXPECT_EQ(cell(20, 20), kBlue) << "a move without the button erases nothing";

    press(at(20, 20));
    release(at(20, 20));
    EXPECT_EQ(countNotes(model.current().snapshot()), kCells - 4);
    for (QPoint p : {QPoint(19, 19), QPoint(20, 19), QPoint(19, 20), QPoint(20, 20)})
        EXPECT_EQ(cell(p.x(), p.y()), 0u);
    EXPECT_TRUE(tools.eraserOutline().isNull()) << "the release hides the outline";
    EXPECT_EQ(undo.size(), 2);

    moveTo(at(0, 0));
    EXPECT_FALSE(tools.eraserOutline().isNull());
    moveTo(offCanvas());
    EXPECT_TRUE(tools.eraserOutline().isNull());
    EXPECT_EQ(pixel(geometry.cellRect(0, 0).center()), QColor(0, 0, 255));

    // A pointer that leaves the window in one jump sends no move off the canvas.
    moveTo(at(0, 0));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&view, &leave);
    EXPECT_TRUE(tools.eraserOutline().isNull());
}

TEST_F(CanvasToolsTest, LineDrawsItsPreviewWhileDraggedAndThePatternOnRelease)
{
    tools.selectTool(Tool::Line);
    options.lineColor1 = kRed;
    options.lineColor2 = kBlue;
    options.lineQuantize = 4;

    press(at(0, 5));
    moveTo(at(16, 5));
    EXPECT_EQ(cell(16, 5), 0u);
    EXPECT_EQ(pixel(at(16, 5)), QColor(0, 0, 255)) << "preview";
    EXPECT_EQ(pixel(at(8, 5)), QColor(Qt::black)) << "skipped by the quantize step";
    release(offCanvas());
    EXPECT_EQ(countNotes(model.current().snapshot()), 0);
    EXPECT_EQ(undo.size(), 1);

    // Still dragging: the end follows the mouse until a release over the canvas.
    moveTo(at(16, 6));
    EXPECT_EQ(pixel(at(16, 6)), QColor(0, 0, 255));
    press(at(0, 5));
    moveTo(at(16, 5));
    release(at(16, 5));
    EXPECT_EQ(cell(0, 5), kRed);
    EXPECT_EQ(cell(16, 5), kBlue);
    EXPECT_EQ(countNotes(model.current().snapshot()), 2);
    EXPECT_EQ(undo.size(), 2);

    // A click without a move has no end, so it draws nothing.
    press(at(30, 30));
    release(at(30, 30));
    EXPECT_EQ(countNotes(model.current().snapshot()), 2);
    EXPECT_EQ(undo.size(), 2);
}

TEST_F(CanvasToolsTest, AirbrushSpraysAroundTheCentreUntilReleasedOverTheCanvas)
{
    tools.selectTool(Tool::Aero);
    options.aeroColor1 = kRed;
    options.aeroColor2 = kRed;
    options.aeroRadius = 2;
    options.aeroSpeed = 100;

    press(at(32, 32));
    release(offCanvas());
    EXPECT_TRUE(QTest::qWaitFor([&] { return countNotes(model.current().snapshot()) > 3; }));
    EXPECT_TRUE(tools.spraying());
    EXPECT_EQ(undo.size(), 1);
    moveTo(at(32, 32));
    press(at(32, 32));
    release(at(32, 32));
    EXPECT_FALSE(tools.spraying());
    ASSERT_EQ(undo.size(), 2);

    const Grid sprayed = model.current().snapshot();
    QTest::qWait(50);
    EXPECT_EQ(model.current().snapshot(), sprayed) << "no dot after the release";
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) {
            if (sprayed[cellIndex(x, y)] != 0) {
                EXPECT_LE(std::abs(x - 32), 2);
                EXPECT_LE(std::abs(y - 32), 2);
                EXPECT_EQ(sprayed[cellIndex(x, y)], kRed);
            }
        }
    }
}

TEST_F(CanvasToolsTest, HandShiftsWithWrapAroundAndReturnsToTheAnchor)
{
    const Grid start = distinctGrid();
    model.current().assign(start);
    tools.selectTool(Tool::Hand);

    press(at(10, 10));
    moveTo(at(11, 10));
    EXPECT_EQ(cell(0, 7), start[cellIndex(63, 7)]);
    EXPECT_EQ(cell(11, 7), start[cellIndex(10, 7)]);
    moveTo(at(10, 10));
    EXPECT_EQ(model.current().snapshot(), start);
    moveTo(at(10, 12));
    release(at(10, 12));
    EXPECT_EQ(cell(5, 1), start[cellIndex(5, 63)]);
    EXPECT_EQ(undo.size(), 2);

    // Ctrl moves only the anchor's row, Ctrl+Shift only its column.
    model.current().assign(start);
    press(at(10, 20), Qt::LeftButton, Qt::ControlModifier);
    moveTo(at(8, 25));
    release(at(8, 25));
    EXPECT_EQ(cell(8, 20), start[cellIndex(10, 20)]);
    EXPECT_EQ(cell(8, 21), start[cellIndex(8, 21)]);
    EXPECT_EQ(cell(62, 20), start[cellIndex(0, 20)]);

    model.current().assign(start);
    press(at(10, 20), Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
    moveTo(at(30, 21));
    release(at(30, 21));
    EXPECT_EQ(cell(10, 21), start[cellIndex(10, 20)]);
    EXPECT_EQ(cell(11, 21), start[cellIndex(11, 21)]);
    EXPECT_EQ(undo.size(), 4);
}

TEST_F(CanvasToolsTest, EyedropperPicksAnyCellColorAndLeavesThePattern)
{
    tools.selectTool(Tool::EyeDropper);
    QSignalSpy picked(&tools, &CanvasTools::colorPicked);
    model.current().set(4, 4, kBlue);

    press(at(4, 4));
    release(at(4, 4));
    press(at(5, 4));
    release(at(5, 4));
    ASSERT_EQ(picked.size(), 2);
    EXPECT_EQ(picked[0][0].value<Cell>(), kBlue);
    EXPECT_EQ(picked[1][0].value<Cell>(), 0u) << "black is a colour too";
    EXPECT_EQ(countNotes(model.current().snapshot()), 1);
    EXPECT_EQ(undo.size(), 1);
}

TEST_F(CanvasToolsTest, SelectorDragKeepsTheAnchorAndLeavingTheToolDropsIt)
{
    tools.selectTool(Tool::Selector);
    press(at(10, 5));
    moveTo(at(3, 2));
    release(at(3, 2));
    EXPECT_EQ(model.selection, (CellRect{10, 5, 3, 2}));
    moveTo(at(20, 20));
    EXPECT_EQ(model.selection, (CellRect{10, 5, 3, 2})) << "moves after the release change nothing";
    EXPECT_EQ(pixel({3 * 12 + 14, 30}), QColor(255, 0, 0)) << "frame on the left grid line";

    QSignalSpy changed(&tools, &CanvasTools::toolChanged);
    EXPECT_FALSE(tools.selectTool(Tool::Selector));
    EXPECT_TRUE(tools.selectTool(Tool::Pencil));
    EXPECT_TRUE(model.selection.empty());
    EXPECT_EQ(changed.size(), 1);
}

TEST_F(CanvasToolsTest, StatusTextNamesTheSampleOfTheRowForPaintingToolsOnly)
{
    tools.setSampleNames([](int row) { return QStringLiteral("kick%1.wav").arg(row); });
    moveTo(at(7, 12));
    EXPECT_EQ(view.statusText(), QStringLiteral("kick12.wav"));
    moveTo(offCanvas());
    EXPECT_EQ(view.statusText(), QString());

    tools.selectTool(Tool::Hand);
    moveTo(at(7, 12));
    EXPECT_EQ(view.statusText(), QString());
}

} // namespace
