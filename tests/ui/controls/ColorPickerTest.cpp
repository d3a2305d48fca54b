#include "support/QtPrinters.h"
#include "ui/controls/CColorPickerDlg.h"
#include "ui/controls/ColorWheelPanel.h"
#include "ui/controls/GUIcolorPicker.h"
#include "ui/controls/PickerSpinBox.h"

#include <QApplication>
#include <QSettings>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace {

using quom::CColorPickerDlg;
using quom::Hsb;
using quom::Rgb;

// Every test gets its own empty settings store.
struct PickerFixture : ::testing::Test {
    PickerFixture() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path()); }
    ~PickerFixture() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    static QSettings settings() { return QSettings(QStringLiteral("Velmoor"), QStringLiteral("GUIlibrary")); }

    static void type(quom::PickerSpinBox* field, const QString& text)
    {
        field->selectAll();
        QTest::keyClicks(field, text);
    }

    QTemporaryDir store;
};

TEST_F(PickerFixture, FieldsClampAndKeepBothSidesInStep)
{
    CColorPickerDlg picker(0x0A1464); // red 100, green 20, blue 10
    EXPECT_EQ(picker.hsb(), (Hsb{6, 229, 100}));

    type(picker.field(CColorPickerDlg::Hue), QStringLiteral("400"));
    EXPECT_EQ(picker.hsb().hue, 359);
    EXPECT_EQ(picker.field(CColorPickerDlg::Hue)->value(), 359);
    EXPECT_EQ(picker.rgb(), (Rgb{100, 10, 11}));

    type(picker.field(CColorPickerDlg::Red), QStringLiteral("-5"));
    EXPECT_EQ(picker.rgb().red, 0);
    EXPECT_EQ(picker.field(CColorPickerDlg::Red)->value(), 0);
    EXPECT_EQ(picker.hsb(), (Hsb{185, 255, 11}));
    EXPECT_EQ(picker.field(CColorPickerDlg::Brightness)->value(), 11);

    type(picker.field(CColorPickerDlg::Saturation), QStringLiteral("999"));
    EXPECT_EQ(picker.hsb().saturation, 255);

    // The arrows stop at their own limits: hue goes up to 360, which then reads 359.
    auto* hue = picker.field(CColorPickerDlg::Hue);
    type(hue, QStringLiteral("358"));
    hue->stepBy(5);
    EXPECT_EQ(picker.hsb().hue, 359);

    type(picker.field(CColorPickerDlg::Alpha), QStringLiteral("300"));
    EXPECT_EQ(picker.alpha(), 255);
    type(picker.field(CColorPickerDlg::Alpha), QStringLiteral("7"));
    EXPECT_EQ(picker.alpha(), 7);
    EXPECT_EQ(picker.alphaSlider()->value(), 7);
}

TEST_F(PickerFixture, GreyStaysGreyWhileItsBrightnessChanges)
{
    CColorPickerDlg picker(0x808080);
    // Without the alpha flag the alpha controls stay hidden.
    EXPECT_FALSE(picker.alphaSlider()->isVisibleTo(&picker));
    EXPECT_FALSE(picker.field(CColorPickerDlg::Alpha)->isVisibleTo(&picker));
    EXPECT_EQ(picker.hsb(), (Hsb{0, 0, 128}));
    type(picker.field(CColorPickerDlg::Brightness), QStringLiteral("40"));
    EXPECT_EQ(picker.rgb(), (Rgb{40, 40, 40}));
    EXPECT_EQ(picker.field(CColorPickerDlg::Green)->value(), 40);
}

TEST_F(PickerFixture, WheelAndBarFollowTheMouse)
{
    CColorPickerDlg picker(0x0000FF);
    picker.show();
    auto* panel = picker.wheelPanel();
    const QPoint centre = panel->wheelCenter();

    QTest::mouseClick(panel, Qt::LeftButton, {}, centre);
    EXPECT_EQ(picker.hsb(), (Hsb{0, 0, 255}));
    EXPECT_EQ(picker.rgb(), (Rgb{255, 255, 255}));

    // Straight up from the centre, half way out, then dragged far beyond the rim.
    QTest::mousePress(panel, Qt::LeftButton, {}, centre + QPoint(0, -50));
    EXPECT_EQ(picker.hsb(), (Hsb{90, 127, 255}));
    QTest::mouseMove(panel, centre + QPoint(-300, 0));
    EXPECT_EQ(picker.hsb(), (Hsb{180, 255, 255}));
    EXPECT_EQ(picker.rgb(), (Rgb{0, 255, 255}));
    QTest::mouseRelease(panel, Qt::LeftButton, {}, centre + QPoint(-300, 0));

    // The bar runs from the colour at full brightness at the top to black at the bottom.
    const QImage bar = panel->bar().toImage();
    EXPECT_EQ(bar.pixelColor(10, 0), QColor(0, 253, 253));
    EXPECT_EQ(bar.pixelColor(10, 200), QColor(0, 0, 0));
    const QRect barRect = panel->barRect();
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(barRect.center().x(), barRect.bottom() + 1 - 100));
    EXPECT_EQ(picker.hsb(), (Hsb{180, 255, 126}));
    EXPECT_EQ(picker.rgb(), (Rgb{0, 126, 126}));

    // The panel shows the bar where it says it is.
    const QImage look = panel->grab().toImage();
    EXPECT_EQ(look.pixelColor(barRect.left() + 10, barRect.top() + 20), bar.pixelColor(10, 20));
}

TEST(ColorWheel, MatchesTheMouseMappingAndShowsTheSurroundOutside)
{
    const QImage wheel = quom::makeColorWheel(QColor(34, 34, 34));
    ASSERT_EQ(wheel.size(), QSize(202, 201));
    EXPECT_EQ(wheel.pixelColor(100, 100), QColor(255, 255, 255));
    EXPECT_EQ(wheel.pixelColor(199, 100), QColor(255, 3, 3));
    EXPECT_EQ(wheel.pixelColor(100, 1), QColor(129, 255, 3));
    EXPECT_EQ(wheel.pixelColor(0, 0), QColor(34, 34, 34));
    EXPECT_EQ(wheel.pixelColor(201, 200), QColor(34, 34, 34));
}

TEST_F(PickerFixture, EveryChangeReachesTheCallbackPackedWithAlpha)
{
    std::vector<std::uint32_t> seen;
    CColorPickerDlg picker(0x000000);
    picker.setCallback([&seen](std::uint32_t rgba) { seen.push_back(rgba); });
    type(picker.field(CColorPickerDlg::Red), QStringLiteral("18"));
    picker.alphaSlider()->setValue(16);
    ASSERT_EQ(seen.size(), 3u); // "1", "18", then the slider
    EXPECT_EQ(seen[1], 0x120000FFu);
    EXPECT_EQ(seen[2], 0x12000010u);
}

TEST_F(PickerFixture, OkReturnsTheNewColorAndCancelTheCallersColor)
{
    quom::GUIcolorPicker picker;
    picker.setColor(0x203040);
    picker.setTitle(QStringLiteral("Line colour"));
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CColorPickerDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Line colour"));
        EXPECT_TRUE(dialog->alphaSlider()->isVisibleTo(dialog));
        type(dialog->field(CColorPickerDlg::Blue), QStringLiteral("1"));
        type(dialog->field(CColorPickerDlg::Alpha), QStringLiteral("3"));
        dialog->reject();
    });
    EXPECT_EQ(picker.run(), 0x203040u);

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CColorPickerDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        type(dialog->field(CColorPickerDlg::Blue), QStringLiteral("1"));
        type(dialog->field(CColorPickerDlg::Alpha), QStringLiteral("3"));
        dialog->accept();
    });
    EXPECT_EQ(picker.run(), 0x013040u);
}

TEST_F(PickerFixture, FavouritesComeFromTheStoreAndGoBackWhole)
{
    {
        CColorPickerDlg picker(0);
        for (std::uint32_t c : picker.favorites())
            EXPECT_EQ(c, 255u);
    }
    {
        QSettings s = settings();
        s.remove(QStringLiteral("GUIcolorPicker"));
        s.beginGroup(QStringLiteral("GUIcolorPicker/Favorites"));
        s.setValue(QStringLiteral("Favorite color #1"), 0xFF8000FFu);
        s.setValue(QStringLiteral("Favorite color #2"), QStringLiteral("plum"));
        s.setValue(QStringLiteral("Favorite color #16"), 77);
        s.setValue(QStringLiteral("stray"), 1);
    }
    {
        CColorPickerDlg picker(0);
        EXPECT_EQ(picker.favorites()[0], 0xFF8000FFu);
        EXPECT_EQ(picker.favorites()[1], 255u);
        EXPECT_EQ(picker.favorites()[2], 255u);
        EXPECT_EQ(picker.favorites()[15], 77u);
    }
    QSettings s = settings();
    s.beginGroup(QStringLiteral("GUIcolorPicker/Favorites"));
    const QStringList keys = s.childKeys();
    EXPECT_EQ(keys.size(), 16);
    EXPECT_FALSE(keys.contains(QStringLiteral("stray")));
    EXPECT_EQ(s.value(QStringLiteral("Favorite color #1")).toUInt(), 0xFF8000FFu);
    EXPECT_EQ(s.value(QStringLiteral("Favorite color #2")).toUInt(), 255u);
}

} // namespace
