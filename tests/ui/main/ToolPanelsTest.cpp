#include "ui/main/ToolPanels.h"
#include "support/QtPrinters.h"
#include "ui/controls/GUIcolorButton.h"
#include "ui/controls/GUIslider.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

using namespace quom;

namespace {

class ToolPanelsTest : public ::testing::Test {
protected:
    ToolPanelsTest() { window.resize(geometry.windowWidth(), geometry.windowHeight()); }

    template <typename T> T* control(const char* name)
    {
        return window.findChild<T*>(QString::fromUtf8(name));
    }
    QString label(const char* name) { return control<QLabel>(name)->text(); }
    QPoint panelCorner() const { return {geometry.right(), geometry.top()}; }

    QWidget window;
    CanvasGeometry geometry{13, 11};
    ToolOptions options;
    ToolPanels panels{window, geometry, options};
};

TEST_F(ToolPanelsTest, EachPaintingToolShowsItsOwnControlsWithTheirValues)
{
    panels.show(Tool::Pencil);
    ASSERT_NE(control<GUIcolorButton>("Pencil Color"), nullptr);
    EXPECT_EQ(control<GUIcolorButton>("Pencil Color")->color(), makeCell(255, 50, 100));
    EXPECT_EQ(label("Pencil Color Name"), QStringLiteral("color"));
    EXPECT_EQ(label("Pencil Variation Value"), QStringLiteral("0 %"));
    EXPECT_EQ(control<GUIcolorButton>("Pencil Color")->geometry(),
        QRect(panelCorner() + QPoint(60, 100), QSize(24, 20)));
    EXPECT_EQ(control<GUIslider>("Pencil Variation")->geometry(),
        QRect(panelCorner() + QPoint(60, 129), QSize(100, 15)));

    panels.show(Tool::Line);
    EXPECT_EQ(control<GUIcolorButton>("Pencil Color"), nullptr) << "the previous panel is gone";
    EXPECT_EQ(control<GUIcolorButton>("Line Color2")->color(), makeCell(0, 50, 0));
    EXPECT_EQ(label("Line Pattern Value"), QStringLiteral("1/16"));

    panels.show(Tool::Aero);
    EXPECT_EQ(label("Aero Radius Value"), QStringLiteral("8"));
    EXPECT_EQ(label("Aero Speed Value"), QStringLiteral("90"));
    panels.show(Tool::Eraser);
    EXPECT_EQ(label("Eraser Size Value"), QStringLiteral("5"));

    for (Tool bare : {Tool::Hand, Tool::EyeDropper, Tool::Selector}) {
        panels.show(bare);
        EXPECT_TRUE(window.findChildren<QWidget*>().isEmpty());
    }
}

TEST_F(ToolPanelsTest, ControlsEditTheOptionsWhichOutliveThePanel)
{
    panels.show(Tool::Line);
    auto* quantize = control<GUIslider>("Line Pattern");
    quantize->setFocus();
    QTest::keyClick(quantize, Qt::Key_Home);
    EXPECT_EQ(options.lineQuantize, 4);
    EXPECT_EQ(label("Line Pattern Value"), QStringLiteral("1/1"));
    QTest::keyClick(quantize, Qt::Key_Left);
    EXPECT_EQ(label("Line Pattern Value"), QStringLiteral("1/2"));

    // A colour dropped on a swatch arrives as a new colour and its change report.
    auto* second = control<GUIcolorButton>("Line Color2");
    second->setColor(makeCell(1, 2, 3));
    second->colorChanged();
    EXPECT_EQ(options.lineColor2, makeCell(1, 2, 3));

    panels.show(Tool::Pencil);
    control<GUIslider>("Pencil Variation")->setValue(42.9);
    EXPECT_EQ(options.pencilVariation, 42);
    EXPECT_EQ(label("Pencil Variation Value"), QStringLiteral("42 %"));

    panels.show(Tool::Line);
    EXPECT_EQ(control<GUIslider>("Line Pattern")->value(), 3);
    EXPECT_EQ(control<GUIcolorButton>("Line Color2")->color(), makeCell(1, 2, 3));
    panels.show(Tool::Pencil);
    EXPECT_EQ(label("Pencil Variation Value"), QStringLiteral("42 %"));
}

} // namespace
