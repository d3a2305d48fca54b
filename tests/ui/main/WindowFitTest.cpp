#include "support/QtPrinters.h"
#include "support/TempDir.h"
#include "ui/controls/CCommandButton.h"
#include "ui/controls/GUIcolorButton.h"
#include "ui/controls/WindowFrame.h"
#include "ui/kit/CKitDlg.h"
#include "ui/main/MainWindowParts.h"
#include "ui/main/PatternView.h"
#include "ui/main/QuomSlider.h"
#include "ui/settings/CSettingsDlg.h"

#include <QApplication>
#include <QLabel>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace quom;

namespace {

// The main window on a pretend screen whose available area is room.
class WindowFit : public ::testing::Test {
protected:
    std::unique_ptr<CQuomDlg> open(QSize room)
    {
        auto context = parts.context();
        context.room = room;
        auto window = std::make_unique<CQuomDlg>(context);
        window->show();
        return window;
    }
    static void zoom(CQuomDlg& window, Qt::Key key, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(&window, key, Qt::ControlModifier);
    }
    // Every control shown lies inside the window, and none covers another (a caption's
    // box may reach into the next caption's).
    static void expectControlsInside(CQuomDlg& window)
    {
        std::vector<std::pair<const QWidget*, QRect>> placed;
        for (const QWidget* child : window.findChildren<QWidget*>()) {
            if (child->parentWidget() == &window && child != &window.view() && child->isVisibleTo(&window))
                placed.emplace_back(child, child->geometry());
        }
        const auto name = [](const QWidget* w) {
            return std::string(w->metaObject()->className()) + " " + w->objectName().toStdString() + " at "
                + std::to_string(w->x()) + ", " + std::to_string(w->y());
        };
        for (auto a = placed.begin(); a != placed.end(); ++a) {
            EXPECT_TRUE(window.rect().contains(a->second)) << name(a->first);
            for (auto b = std::next(a); b != placed.end(); ++b) {
                const bool captions
                    = qobject_cast<const QLabel*>(a->first) && qobject_cast<const QLabel*>(b->first);
                EXPECT_TRUE(captions || !a->second.intersects(b->second))
                    << name(a->first) << " and " << name(b->first);
            }
        }
    }

    TempDir dir;
    MainWindowParts parts{dir.path() + "/"};
};

TEST_F(WindowFit, EveryControlOfEveryToolLiesInsideAWindowThatFitsTheScreen)
{
    // 1366 x 768, 1280 x 720 and 1024 x 600 with a desktop panel of 32 pixels.
    for (QSize room : {QSize(1366, 736), QSize(1280, 688), QSize(1024, 568)}) {
        SCOPED_TRACE(testing::Message() << room.width() << " x " << room.height());
        const auto window = open(room);
        EXPECT_LE(window->width(), room.width());
        EXPECT_LE(window->height() + kWindowFrameHeight, room.height());
        for (CommandId tool : {CommandId::Pencil, CommandId::Eraser, CommandId::Line, CommandId::Aero}) {
            window->runCommand(tool);
            expectControlsInside(*window);
        }
    }
}

TEST_F(WindowFit, ZoomKeysRelayTheWindowOutAtOnceWithinTheScreen)
{
    const auto window = open(QSize(1920, 1050));
    EXPECT_EQ(window->geometry().cellSize(), QSize(13, 11));
    window->runCommand(CommandId::Aero);

    zoom(*window, Qt::Key_Plus);
    const CanvasGeometry& g = window->geometry();
    EXPECT_EQ(g.cellSize(), QSize(14, 12));
    EXPECT_EQ(parts.settings.zoom, 1);
    EXPECT_EQ(window->size(), QSize(g.windowWidth(), g.windowHeight()));
    EXPECT_EQ(window->button(CommandId::Play)->pos(), commandPosition(*findCommand(CommandId::Play), g));
    EXPECT_EQ(window->tempoSlider().y(), g.tempoTop());
    EXPECT_EQ(
        window->findChild<GUIcolorButton*>("Aero Color1")->pos(), QPoint(g.columnLeft() + 40, g.panelTop()));
    parts.project.model().current().set(5, 12, makeCell(255, 50, 100));
    window->view().repaint();
    EXPECT_EQ(
        window->view().grab().toImage().pixelColor(g.cellRect(5, 12).bottomRight()), QColor(255, 50, 100));
    expectControlsInside(*window);

    // Past the largest size that fits, the keys do nothing, and the way back starts at once.
    zoom(*window, Qt::Key_Equal, 10);
    EXPECT_EQ(window->geometry().cellSize(), QSize(16, 14));
    EXPECT_EQ(parts.settings.zoom, 3);
    zoom(*window, Qt::Key_Minus);
    EXPECT_EQ(window->geometry().cellSize(), QSize(15, 13));
    zoom(*window, Qt::Key_Minus, 20);
    EXPECT_EQ(window->geometry().cellSize(), QSize(8, 6));
    EXPECT_EQ(parts.settings.zoom, -5);
    expectControlsInside(*window);
}

TEST_F(WindowFit, TheKeptZoomAppliesAsFarAsTheScreenAllows)
{
    parts.settings.zoom = -1;
    EXPECT_EQ(open(QSize(1920, 1050))->geometry().cellSize(), QSize(12, 10));
    parts.settings.zoom = 5;
    const auto small = open(QSize(1366, 736));
    EXPECT_EQ(small->geometry().cellSize(), QSize(11, 9));
    EXPECT_EQ(parts.settings.zoom, 5) << "kept for a larger screen until the user zooms";
    zoom(*small, Qt::Key_Minus);
    EXPECT_EQ(small->geometry().cellSize(), QSize(10, 8)) << "one step from the size shown";
    EXPECT_EQ(parts.settings.zoom, -1);
}

TEST_F(WindowFit, TheSettingsWindowZoomsAtOnceAndTheKitEditorKeepsTheScreensSize)
{
    const auto window = open(QSize(1920, 1050));
    QTimer::singleShot(0, [] {
        auto* settings = qobject_cast<CSettingsDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(settings, nullptr);
        settings->findChild<QSpinBox*>("zoom")->setValue(2);
        settings->accept();
    });
    window->runCommand(CommandId::Settings);
    EXPECT_EQ(window->geometry().cellSize(), QSize(15, 13));

    int rowHeight = 0;
    QTimer::singleShot(0, [&] {
        auto* editor = qobject_cast<CKitDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        rowHeight = editor->layout().rowHeight();
        editor->close();
    });
    window->runCommand(CommandId::Kits);
    EXPECT_EQ(rowHeight, 11);
}

} // namespace
