#include "support/QtPrinters.h"
#include "support/TempDir.h"
#include "support/TestGrids.h"
#include "ui/controls/CCommandButton.h"
#include "ui/controls/GUIcolorButton.h"
#include "ui/controls/GUIslider.h"
#include "ui/generators/CCellDlg.h"
#include "ui/generators/RandomDlg.h"
#include "ui/main/CanvasTools.h"
#include "ui/main/MainWindowParts.h"
#include "ui/main/PatternView.h"
#include "ui/main/QuomDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

using namespace quom;

namespace {

const Cell kRed = makeCell(255, 0, 0);

// The main window as the user meets it, painted on and typed at.
class MainWindowEditing : public ::testing::Test {
protected:
    MainWindowEditing()
    {
        window = std::make_unique<CQuomDlg>(parts.context());
        window->show();
    }

    LiveGrid& cells() { return parts.project.model().current(); }
    const UndoSystem& undo() { return parts.project.undoHistory(); }
    PatternView& view() { return window->view(); }
    QPoint at(int column, int row) const { return window->geometry().cellRect(column, row).center(); }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(window.get(), k, mods);
    }
    void click(QPoint p)
    {
        QTest::mousePress(&view(), Qt::LeftButton, {}, p);
        QTest::mouseRelease(&view(), Qt::LeftButton, {}, p);
    }
    void pressButton(CommandId id)
    {
        QTest::mouseClick(window->button(id), Qt::LeftButton, {}, QPoint(5, 5));
    }
    // The selector dragged over two cells of row 1 (the first one red), then Copy.
    void copyTwoCells()
    {
        cells().set(0, 1, kRed);
        pressButton(CommandId::Selector);
        QTest::mousePress(&view(), Qt::LeftButton, {}, at(0, 1));
        QTest::mouseMove(&view(), at(1, 1));
        QTest::mouseRelease(&view(), Qt::LeftButton, {}, at(1, 1));
        pressButton(CommandId::Copy);
    }

    // Key D, with the Random window handled by answer once it is up.
    void randomWindow(std::function<void(RandomDlg&)> answer)
    {
        bool answered = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<RandomDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->parentWidget(), window.get()) << "opens over the main window";
            answer(*dialog);
            answered = true;
        });
        key(Qt::Key_D);
        EXPECT_TRUE(answered);
    }

    TempDir dir;
    MainWindowParts parts{dir.path() + "/"};
    std::unique_ptr<CQuomDlg> window;
};

TEST_F(MainWindowEditing, EditingButtonsAreEnabledAndToolButtonsFormOneGroup)
{
    for (CommandId id :
        {CommandId::RevX, CommandId::RevY, CommandId::Rotate, CommandId::Rotate2, CommandId::Copy,
            CommandId::Cut, CommandId::Paste, CommandId::Mix, CommandId::LineH, CommandId::LineV,
            CommandId::Cells, CommandId::Drum, CommandId::Automata, CommandId::Eraser, CommandId::Hand})
        EXPECT_TRUE(window->button(id)->isEnabled()) << static_cast<int>(id);

    EXPECT_TRUE(window->button(CommandId::Pencil)->state());
    QTest::mousePress(window->button(CommandId::Eraser), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(window->tools().tool(), Tool::Eraser);
    EXPECT_TRUE(window->button(CommandId::Eraser)->state());
    EXPECT_FALSE(window->button(CommandId::Pencil)->state());

    key(Qt::Key_F7);
    EXPECT_EQ(window->tools().tool(), Tool::EyeDropper);
    EXPECT_FALSE(window->button(CommandId::Eraser)->state());
    EXPECT_TRUE(window->button(CommandId::EyeDropper)->state());

    // New goes back to the pencil.
    window->runCommand(CommandId::New);
    EXPECT_EQ(window->tools().tool(), Tool::Pencil);
    EXPECT_TRUE(window->button(CommandId::Pencil)->state());
}

TEST_F(MainWindowEditing, PencilStrokeOnTheCanvasCanBeUndoneWithZ)
{
    QTest::mousePress(&view(), Qt::LeftButton, {}, at(5, 12));
    QTest::mouseMove(&view(), at(6, 12));
    QTest::mouseRelease(&view(), Qt::LeftButton, {}, at(6, 12));
    EXPECT_EQ(cells().at(5, 12), parts.toolOptions.pencilColor);
    EXPECT_EQ(undo().size(), 2);

    key(Qt::Key_Z);
    EXPECT_EQ(countNotes(cells().snapshot()), 0);
    key(Qt::Key_Y);
    EXPECT_EQ(cells().at(6, 12), parts.toolOptions.pencilColor);
}

TEST_F(MainWindowEditing, PencilPaintsInThePanelsColor)
{
    auto* swatch = window->findChild<GUIcolorButton*>(QStringLiteral("Pencil Color"));
    ASSERT_NE(swatch, nullptr);
    ASSERT_TRUE(swatch->isVisible());
    swatch->setColor(makeCell(9, 8, 7));
    swatch->colorChanged();
    click(at(20, 20));
    EXPECT_EQ(cells().at(20, 20), makeCell(9, 8, 7));

    key(Qt::Key_F5);
    EXPECT_EQ(window->findChild<GUIcolorButton*>(QStringLiteral("Pencil Color")), nullptr);
    key(Qt::Key_F1);
    EXPECT_EQ(window->findChild<GUIcolorButton*>(QStringLiteral("Pencil Color"))->color(), makeCell(9, 8, 7));
}

TEST_F(MainWindowEditing, StatusLineNamesTheRowsSampleAndEyedropperFillsTheSwatch)
{
    QTest::mouseMove(&view(), at(3, 7));
    EXPECT_EQ(view().statusText(), QStringLiteral("not used"));

    cells().set(3, 7, makeCell(1, 2, 3));
    key(Qt::Key_F7);
    click(at(3, 7));
    EXPECT_EQ(window->pickedColorSwatch().color(), makeCell(1, 2, 3));
    EXPECT_EQ(undo().size(), 1);
}

TEST_F(MainWindowEditing, KeysScrollShiftColorsAndEvolve)
{
    cells().set(0, 0, makeCell(100, 100, 100));
    key(Qt::Key_Right);
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(cells().at(1, 4), makeCell(100, 100, 100));
    key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(cells().at(61, 4), makeCell(100, 100, 100));

    key(Qt::Key_R);
    key(Qt::Key_G, Qt::ShiftModifier);
    key(Qt::Key_B, Qt::ControlModifier);
    key(Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(cells().at(61, 4), makeCell(101, 110, 89));
    EXPECT_EQ(undo().size(), 8);

    // A lone cell dies in one generation.
    key(Qt::Key_A);
    EXPECT_EQ(countNotes(cells().snapshot()), 0);
    EXPECT_EQ(undo().size(), 9);
}

TEST_F(MainWindowEditing, FloatingPasteLandsBeforeCommandsAndMarkedKeysOnly)
{
    copyTwoCells();
    pressButton(CommandId::Paste);
    EXPECT_EQ(window->tools().tool(), Tool::FloatingPaste);

    // R shifts the pattern under the float and leaves it floating.
    key(Qt::Key_R);
    EXPECT_TRUE(window->tools().floating());
    EXPECT_EQ(cells().at(0, 1), makeCell(255, 0, 0));

    // So does Enter, starting and stopping a recording around it.
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    EXPECT_TRUE(window->tools().floating());

    // An arrow key places it first, then scrolls with it.
    key(Qt::Key_Right);
    EXPECT_FALSE(window->tools().floating());
    EXPECT_EQ(window->tools().tool(), Tool::Selector);
    EXPECT_EQ(cells().at(32, 32), kRed);

    pressButton(CommandId::Mix);
    pressButton(CommandId::RevX);
    EXPECT_EQ(cells().at(63 - 31, 32), kRed) << "the mix was placed before the mirror";
    EXPECT_EQ(cells().at(63 - 32, 32), kRed);

    pressButton(CommandId::Paste);
    const Grid before = cells().snapshot();
    const int states = undo().size();
    key(Qt::Key_Escape);
    EXPECT_FALSE(window->tools().floating());
    EXPECT_EQ(cells().snapshot(), before);
    EXPECT_EQ(undo().size(), states);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowEditing, RandomWindowPaintsOnOkOnlyAndRemembersItsSettings)
{
    cells().set(0, 0, kRed);
    randomWindow([](RandomDlg& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("color mode"))->setCurrentIndex(0);
        dialog.findChild<GUIcolorButton*>(QStringLiteral("Color1"))->setColor(makeCell(0, 0, 200));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(countNotes(cells().snapshot()), 1);
    EXPECT_EQ(undo().size(), 1);

    randomWindow([](RandomDlg& dialog) {
        EXPECT_FALSE(dialog.findChild<GUIcolorButton*>(QStringLiteral("Color2"))->isHidden())
            << "the cancelled choice was forgotten";
        dialog.findChild<QComboBox*>(QStringLiteral("color mode"))->setCurrentIndex(0);
        dialog.findChild<GUIcolorButton*>(QStringLiteral("Color1"))->setColor(makeCell(0, 0, 200));
        QTest::mouseClick(dialog.findChild<QPushButton*>(), Qt::LeftButton);
    });
    const Grid painted = cells().snapshot();
    EXPECT_EQ(countNotes(painted), 1024) << "replace, then a quarter of the cells";
    EXPECT_EQ(std::count(painted.begin(), painted.end(), makeCell(0, 0, 200)), 1024);
    EXPECT_EQ(undo().size(), 2);

    randomWindow([](RandomDlg& dialog) {
        EXPECT_TRUE(dialog.findChild<GUIcolorButton*>(QStringLiteral("Color2"))->isHidden());
        EXPECT_EQ(dialog.findChild<GUIcolorButton*>(QStringLiteral("Color1"))->color(), makeCell(0, 0, 200));
        dialog.close();
    });
    EXPECT_EQ(cells().snapshot(), painted);
    EXPECT_EQ(undo().size(), 2);
}

TEST_F(MainWindowEditing, CtrlClickWithThePencilSetsOneCellExactlyAsOneEdit)
{
    cells().set(10, 5, makeCell(1, 2, 3));
    const int states = undo().size();
    bool answered = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<CCellDlg*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll.stop();
        EXPECT_EQ(dialog->newColor(), makeCell(1, 2, 3));
        dialog->findChild<GUIslider*>(QStringLiteral("green"))->setValue(200);
        QTest::keyClick(dialog, Qt::Key_Return);
        answered = true;
    });
    poll.start(5);
    QTest::mouseClick(&view(), Qt::LeftButton, Qt::ControlModifier, at(10, 5));
    EXPECT_TRUE(QTest::qWaitFor([&] { return answered && cells().at(10, 5) != makeCell(1, 2, 3); }, 5000));
    EXPECT_EQ(cells().at(10, 5), makeCell(1, 200, 3));
    EXPECT_EQ(undo().size(), states + 1);
}

} // namespace
