#include "ui/controls/GUIslider.h"
#include "support/QtPrinters.h"

#include <QDialog>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

using quom::GUIslider;

// Records what the slider reports, as a window's slider would act on it.
class RecordingSlider : public GUIslider {
public:
    using GUIslider::GUIslider;
    std::vector<double> reported;

protected:
    void valueChanged(double v) override { reported.push_back(v); }
};

// 100 x 15 like the main window's sliders: the track spans rows 2..11, the thumb is 14
// wide and its left edge sits at trunc(86 x fraction).
struct SliderFixture : ::testing::Test {
    SliderFixture()
    {
        slider.resize(100, 15);
        slider.setStyle(GUIslider::kGradientFill);
        slider.setColors(GUIslider::windowColors());
        slider.setRange(0, 100, 50);
        slider.setSteps(1, 10);
        slider.show();
        slider.reported.clear();
    }
    QImage picture() { return slider.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    RecordingSlider slider;
};

QColor pixel(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

TEST(GUIslider, RefusesInvalidRangesAndStepsAndClampsValues)
{
    RecordingSlider s;
    EXPECT_EQ(s.value(), 64);
    EXPECT_EQ(s.setStyle(4), 2u);

    EXPECT_FALSE(s.setRange(5, 5, 5));
    EXPECT_FALSE(s.setRange(0, 10, 11));
    EXPECT_FALSE(s.setRange(0, 10, -1));
    EXPECT_EQ(s.maximum(), 127);
    EXPECT_TRUE(s.reported.empty());

    EXPECT_TRUE(s.setRange(1, 350, 120));
    EXPECT_EQ(s.reported, std::vector<double>{120});

    EXPECT_FALSE(s.setSteps(10, 1));
    EXPECT_FALSE(s.setSteps(0, 10));
    EXPECT_FALSE(s.setSteps(-5, 0));
    EXPECT_EQ(s.smallStep(), 1);
    EXPECT_TRUE(s.setSteps(2, 20));
    EXPECT_EQ(s.largeStep(), 20);

    s.setValue(1000);
    s.setValue(-3);
    EXPECT_EQ(s.reported, (std::vector<double>{120, 350, 1}));
    EXPECT_EQ(s.value(), 1);
}

TEST_F(SliderFixture, PressOnTheTrackJumpsAndPressOnTheThumbWaitsForTheMove)
{
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(20, 7));
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(20, 7));
    EXPECT_EQ(slider.value(), 20);

    // The thumb now starts at trunc(86 x 0.2) = 17.
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(25, 7));
    EXPECT_EQ(slider.value(), 20);
    QTest::mouseMove(&slider, QPoint(70, 3));
    EXPECT_EQ(slider.value(), 70);
    QTest::mouseMove(&slider, QPoint(250, 7));
    EXPECT_EQ(slider.value(), 100);
    QTest::mouseMove(&slider, QPoint(-40, 7));
    EXPECT_EQ(slider.value(), 0);
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(-40, 7));
    QTest::mouseMove(&slider, QPoint(60, 7));
    EXPECT_EQ(slider.value(), 0);
    EXPECT_EQ(slider.reported, (std::vector<double>{20, 70, 100, 0}));
}

TEST_F(SliderFixture, ShiftPressAndPressesOffTheTrackChangeNothing)
{
    QTest::mousePress(&slider, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 7));
    QTest::mouseMove(&slider, QPoint(90, 7));
    QTest::mouseRelease(&slider, Qt::LeftButton, Qt::ShiftModifier, QPoint(90, 7));
    // Shift on the thumb does not start a drag either.
    QTest::mousePress(&slider, Qt::LeftButton, Qt::ShiftModifier, QPoint(50, 7));
    QTest::mouseMove(&slider, QPoint(90, 7));
    QTest::mouseRelease(&slider, Qt::LeftButton, Qt::ShiftModifier, QPoint(90, 7));
    // Above the track and away from the thumb.
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(10, 0));
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(10, 0));
    EXPECT_EQ(slider.value(), 50);
    EXPECT_TRUE(slider.reported.empty());
}

TEST_F(SliderFixture, KeysStepJumpAndStayInsideTheRange)
{
    QTest::keyClick(&slider, Qt::Key_PageUp);
    EXPECT_EQ(slider.value(), 60);
    QTest::keyClick(&slider, Qt::Key_PageDown);
    QTest::keyClick(&slider, Qt::Key_PageDown);
    EXPECT_EQ(slider.value(), 40);
    QTest::keyClick(&slider, Qt::Key_Right);
    QTest::keyClick(&slider, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(slider.value(), 42);
    QTest::keyClick(&slider, Qt::Key_Left);
    QTest::keyClick(&slider, Qt::Key_Minus, Qt::KeypadModifier);
    QTest::keyClick(&slider, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(slider.value(), 39);
    // The plus and minus of the main keyboard are not the slider's.
    QTest::keyClick(&slider, Qt::Key_Plus);
    QTest::keyClick(&slider, Qt::Key_Minus);
    EXPECT_EQ(slider.value(), 39);

    QTest::keyClick(&slider, Qt::Key_Home);
    EXPECT_EQ(slider.value(), 100);
    // At the end every key still reports, and the value stays in the range.
    QTest::keyClick(&slider, Qt::Key_Right);
    QTest::keyClick(&slider, Qt::Key_PageUp);
    EXPECT_EQ(slider.value(), 100);
    QTest::keyClick(&slider, Qt::Key_End);
    QTest::keyClick(&slider, Qt::Key_Left);
    EXPECT_EQ(slider.value(), 0);
    EXPECT_EQ(slider.reported, (std::vector<double>{60, 50, 40, 41, 42, 41, 40, 39, 100, 100, 100, 0, 0}));
}

TEST(GUIslider, EnterAndEscapeDoNotCloseItsWindow)
{
    QDialog dialog;
    auto* slider = new RecordingSlider(&dialog);
    slider->resize(100, 15);
    dialog.show();
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Escape);
    QTest::keyClick(slider, Qt::Key_Return);
    QTest::keyClick(slider, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(slider->reported.empty());

    // The same key on the dialog itself closes it, so the slider is what stopped it above.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(SliderFixture, DrawsTrackGradientAndThumb)
{
    const QImage image = picture();
    const QColor background(34, 34, 34), white(255, 255, 255), grey(192, 192, 192);
    EXPECT_EQ(pixel(image, 5, 0), background);
    EXPECT_EQ(pixel(image, 5, 13), background);
    // The gradient runs over x = 1..43 from RGB(255,180,105) toward white, by x / track width.
    EXPECT_EQ(pixel(image, 1, 7), QColor(255, 180, 105));
    EXPECT_EQ(pixel(image, 21, 7), QColor(255, 195, 135));
    EXPECT_EQ(pixel(image, 41, 3), QColor(255, 210, 165));
    // The thumb covers x = 43..56 over the whole height: a white rim round a grey face.
    EXPECT_EQ(pixel(image, 43, 7), white);
    EXPECT_EQ(pixel(image, 44, 0), white);
    EXPECT_EQ(pixel(image, 49, 7), grey);
    // Beyond the thumb, the plain track: a white rim round a grey band.
    EXPECT_EQ(pixel(image, 70, 2), white);
    EXPECT_EQ(pixel(image, 70, 7), grey);
    EXPECT_EQ(pixel(image, 99, 7), white);

    QTest::keyClick(&slider, Qt::Key_Home);
    const QImage atEnd = picture();
    EXPECT_EQ(pixel(atEnd, 86, 7), white);
    EXPECT_EQ(pixel(atEnd, 90, 7), grey);
    EXPECT_EQ(pixel(atEnd, 85, 7), QColor(255, 243, 231));

    QTest::keyClick(&slider, Qt::Key_End);
    const QImage atStart = picture();
    EXPECT_EQ(pixel(atStart, 5, 7), grey);
    EXPECT_EQ(pixel(atStart, 30, 7), grey);
}

} // namespace
