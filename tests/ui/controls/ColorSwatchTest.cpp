#include "support/QtPrinters.h"
#include "ui/controls/CColorPickerDlg.h"
#include "ui/controls/ColorDropTarget.h"
#include "ui/controls/GUIcolorButton.h"
#include "ui/controls/PickerSpinBox.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>

namespace {

using quom::GUIcolorButton;

class CountingSwatch : public GUIcolorButton {
public:
    using GUIcolorButton::GUIcolorButton;
    int changes = 0;
    void colorChanged() override { ++changes; }
};

struct SwatchFixture : ::testing::Test {
    SwatchFixture()
    {
        source.setColor(0x123456);
        target.setColor(0x00FF00);
        source.resize(24, 20);
        target.resize(24, 20);
        target.registerDropTarget();
        source.show();
        target.show();
    }
    ~SwatchFixture() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }

    // Offers data to a swatch as a drag entering it and then dropping would.
    static bool dragAndDrop(QWidget& onto, const QMimeData& data)
    {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&onto, &enter);
        const bool welcomed = enter.isAccepted() && enter.dropAction() == Qt::MoveAction;
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&onto, &drop);
        return welcomed;
    }

    // Runs action on the picker window as soon as a click opens it.
    static void whenPickerOpens(std::function<void(quom::CColorPickerDlg&)> action)
    {
        QTimer::singleShot(0, [action] {
            auto* dialog = qobject_cast<quom::CColorPickerDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            action(*dialog);
        });
    }

    CountingSwatch source;
    CountingSwatch target;
};

TEST_F(SwatchFixture, DrawsItsColorInsideAButtonFaceRim)
{
    const QImage look = source.grab().toImage();
    EXPECT_EQ(look.pixelColor(0, 0), source.palette().color(QPalette::Button));
    EXPECT_EQ(look.pixelColor(1, 10), source.palette().color(QPalette::Button));
    EXPECT_EQ(look.pixelColor(2, 2), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(look.pixelColor(21, 17), QColor(0x56, 0x34, 0x12));
}

TEST_F(SwatchFixture, ColorDraggedWithCtrlLandsOnTheTargetOnly)
{
    // Ctrl+press starts a drag rather than opening the picker.
    QTest::mouseClick(&source, Qt::LeftButton, Qt::ControlModifier, QPoint(5, 5));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    const auto data = quom::makeColorMimeData(source.color());
    EXPECT_EQ(data->data(quom::kColorMimeType), QByteArray("\x56\x34\x12\x00", 4));
    EXPECT_TRUE(dragAndDrop(target, *data));
    EXPECT_EQ(target.color(), 0x123456u);
    EXPECT_EQ(target.changes, 1);
    EXPECT_EQ(source.color(), 0x123456u);
    EXPECT_EQ(source.changes, 0);
    EXPECT_EQ(target.grab().toImage().pixelColor(10, 10), QColor(0x56, 0x34, 0x12));

    // A swatch that never registered takes nothing.
    EXPECT_FALSE(dragAndDrop(source, *quom::makeColorMimeData(0xABCDEF)));
    EXPECT_EQ(source.color(), 0x123456u);
}

TEST_F(SwatchFixture, ForeignDataChangesNothing)
{
    QMimeData text;
    text.setText(QStringLiteral("255"));
    EXPECT_FALSE(dragAndDrop(target, text));

    QMimeData shortWord;
    shortWord.setData(quom::kColorMimeType, QByteArray("\x01\x02\x03", 3));
    EXPECT_FALSE(dragAndDrop(target, shortWord));

    EXPECT_EQ(target.color(), 0x00FF00u);
    EXPECT_EQ(target.changes, 0);
}

// A window that takes dropped files must not get them through a swatch on it.
TEST_F(SwatchFixture, AFileDroppedOnASwatchDoesNotReachItsWindow)
{
    struct FileWindow : QWidget {
        FileWindow() { setAcceptDrops(true); }
        int entered = 0;
        void dragEnterEvent(QDragEnterEvent* event) override
        {
            ++entered;
            event->acceptProposedAction();
        }
    } window;
    CountingSwatch swatch(&window);
    swatch.resize(24, 20);
    swatch.registerDropTarget();
    window.show();

    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/song.pat"))});
    EXPECT_FALSE(dragAndDrop(swatch, file));
    EXPECT_EQ(window.entered, 0);
    EXPECT_EQ(swatch.changes, 0);
}

TEST_F(SwatchFixture, ClickRunsThePickerAndCancelStillReportsTheKeptColor)
{
    QTemporaryDir store;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());

    whenPickerOpens([](quom::CColorPickerDlg& picker) {
        EXPECT_EQ(picker.windowTitle(), QStringLiteral("Choose the color"));
        EXPECT_EQ(picker.oldRgb(), (quom::Rgb{0x56, 0x34, 0x12}));
        auto* red = picker.field(quom::CColorPickerDlg::Red);
        red->selectAll();
        QTest::keyClicks(red, QStringLiteral("200"));
        picker.accept();
    });
    QTest::mouseClick(&source, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(source.color(), 0x1234C8u);
    EXPECT_EQ(source.changes, 1);

    whenPickerOpens([](quom::CColorPickerDlg& picker) {
        auto* green = picker.field(quom::CColorPickerDlg::Green);
        green->selectAll();
        QTest::keyClicks(green, QStringLiteral("9"));
        picker.reject();
    });
    QTest::mouseClick(&source, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(source.color(), 0x1234C8u);
    EXPECT_EQ(source.changes, 2);
}

} // namespace
