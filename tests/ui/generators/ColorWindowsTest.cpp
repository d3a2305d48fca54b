#include "core/generators/GeneratorSettings.h"
#include "core/project/Project.h"
#include "core/transport/Transport.h"
#include "support/Instruments.h"
#include "support/QtPrinters.h"
#include "ui/controls/CCommandButton.h"
#include "ui/controls/ValueSlider.h"
#include "ui/generators/CCellDlg.h"
#include "ui/generators/CColorsDlg.h"
#include "ui/generators/ColorCurvesDlg.h"
#include "ui/generators/MutateDlg.h"
#include "ui/generators/WaveSeqDlg.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace quom;

namespace {

// A tool window over a project whose pattern has a few painted cells.
class ColorWindows : public ::testing::Test {
protected:
    ColorWindows()
    {
        cells().set(3, 4, makeCell(200, 0, 0));
        cells().set(5, 6, makeCell(50, 100, 150));
        cells().set(7, 8, makeCell(8, 8, 8));
        start = cells().snapshot();
    }

    LiveGrid& cells() { return project.model().current(); }
    int undoStates() const { return project.undoHistory().size(); }
    template <class Window> ValueSlider& slider(Window& window, const char* name)
    {
        return *window.template findChild<ValueSlider*>(QString::fromUtf8(name));
    }
    template <class Window> QString text(Window& window, const char* name)
    {
        return window.template findChild<QLabel*>(QString::fromUtf8(name) + QStringLiteral(" value"))->text();
    }
    void key(ValueSlider& target, Qt::Key k) { QTest::keyClick(&target, k); }

    Project project;
    Transport transport{project};
    Engine& engine = transport.engine();
    GeneratorSettings generators;
    Grid start{};
};

TEST_F(ColorWindows, OffsetsAreTakenFromTheStartAndABlackCellComesBack)
{
    CColorsDlg window(project);
    window.show();
    EXPECT_EQ(window.windowTitle(), "Offset colors");
    EXPECT_EQ(cells().snapshot(), start) << "opening changes nothing";
    ValueSlider& red = slider(window, "red");
    red.setValue(130);
    EXPECT_EQ(text(window, "red"), "+30");
    red.setValue(110);
    EXPECT_EQ(cells().at(3, 4), makeCell(210, 0, 0)) << "start + 10, not + 40";
    key(red, Qt::Key_End);
    EXPECT_EQ(text(window, "red"), "-100");
    EXPECT_EQ(cells().at(3, 4), makeCell(100, 0, 0));
    EXPECT_EQ(cells().at(7, 8), makeCell(0, 8, 8));
    slider(window, "green").setValue(0);
    slider(window, "blue").setValue(0);
    EXPECT_EQ(cells().at(7, 8), 0u) << "pushed to black: empty";
    slider(window, "green").setValue(100);
    slider(window, "blue").setValue(100);
    EXPECT_EQ(cells().at(7, 8), makeCell(0, 8, 8)) << "painted in the start, so it comes back";
    red.setValue(100);
    EXPECT_EQ(cells().snapshot(), start) << "all at 0: the starting pattern again";

    red.setValue(200);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(cells().snapshot(), start) << "Cancel restores";
    EXPECT_EQ(undoStates(), 1);
}

TEST_F(ColorWindows, MutationIsOneFixedDrawScaledByTheSlidersUntilANewOne)
{
    MutateDlg window(project, 1234);
    window.show();
    EXPECT_EQ(text(window, "green"), "10 %");
    const Grid atTen = cells().snapshot();
    EXPECT_NE(atTen, start) << "opens showing a mutation at 10 %";
    EXPECT_EQ(atTen[0], 0u) << "empty cells stay empty";

    ValueSlider& red = slider(window, "red");
    red.setValue(50);
    const Grid first = cells().snapshot();
    EXPECT_EQ(blueOf(first[cellIndex(5, 6)]), blueOf(atTen[cellIndex(5, 6)]))
        << "the other channels keep their mutation";
    red.setValue(20);
    red.setValue(50);
    EXPECT_EQ(cells().snapshot(), first);

    auto* again = window.findChild<CCommandButton*>();
    QTest::mouseClick(again, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_NE(cells().snapshot(), first);
    red.setValue(49);
    red.setValue(50);
    EXPECT_EQ(cells().snapshot(), first) << "a slider goes back to the first draws";

    window.findChild<QPushButton*>()->click();
    EXPECT_EQ(undoStates(), 2) << "Ok is one undo step";
    EXPECT_EQ(cells().snapshot(), first);
}

TEST_F(ColorWindows, CurvesBendEachChannelAndTheGraphStaysInsideItsFrame)
{
    ColorCurvesDlg window(project);
    window.show();
    slider(window, "red").setValue(100);
    EXPECT_EQ(text(window, "red"), "50");
    EXPECT_EQ(cells().at(7, 8), makeCell(143, 8, 8));
    slider(window, "red").setValue(0);
    EXPECT_EQ(cells().at(3, 4), makeCell(59, 0, 0));

    slider(window, "red").setValue(50);
    auto* greenInverted = window.findChild<QPushButton*>(QStringLiteral("green inv"));
    greenInverted->click();
    EXPECT_EQ(cells().at(3, 4), makeCell(200, 255, 0)) << "all amounts 0: the pattern follows the graph";
    greenInverted->click();
    EXPECT_EQ(cells().snapshot(), start) << "identity curves: the start";
    greenInverted->click();
    slider(window, "green").setValue(51);
    EXPECT_EQ(cells().at(3, 4), makeCell(200, 255, 0)) << "green 0 inverted";

    // The red curve at 0 starts at the bottom of its plot, which is inside the frame.
    slider(window, "green").setValue(50);
    const QImage shot = window.grab().toImage();
    const QPoint plot = ColorCurvesDlg::plotOrigin(0);
    EXPECT_EQ(shot.pixelColor(plot + QPoint(0, 63)), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(plot + QPoint(0, 64)), QColor(100, 100, 100));
    window.reject();
    EXPECT_EQ(cells().snapshot(), start);
}

TEST_F(ColorWindows, TheWaveDrawsOverTheStartAndItsSettingsOutliveTheWindow)
{
    {
        WaveSeqDlg window(project, generators.wave);
        window.show();
        EXPECT_EQ(cells().at(0, 32), makeCell(80, 0, 64)) << "the default sine starts at row 32";
        EXPECT_EQ(cells().at(3, 4), start[cellIndex(3, 4)]);
        EXPECT_TRUE(window.button(WaveSeqDlg::kWaveButtons[0])->state());

        slider(window, "offsetx").setValue(10);
        EXPECT_EQ(cells().at(10, 32), makeCell(80, 19, 64))
            << "the colour runs with the column where it lands";
        QTest::mouseClick(window.button(WaveSeqDlg::kWaveButtons[4]), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_TRUE(window.button(WaveSeqDlg::kWaveButtons[4])->state());
        EXPECT_FALSE(window.button(WaveSeqDlg::kWaveButtons[0])->state());
        EXPECT_TRUE(slider(window, "period").isHidden()) << "sample and hold has no period";
        QTest::mouseClick(window.button(WaveSeqDlg::kFlipY), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_TRUE(window.button(WaveSeqDlg::kFlipY)->state());
        window.reject();
    }
    EXPECT_EQ(cells().snapshot(), start);
    const WaveSettings& kept = generators.wave;
    EXPECT_EQ(kept.wave, Wave::SampleAndHold);
    EXPECT_EQ(kept.offsetX, 10);
    EXPECT_TRUE(kept.flipY);

    WaveSeqDlg again(project, generators.wave);
    EXPECT_TRUE(again.button(WaveSeqDlg::kWaveButtons[4])->state());
    EXPECT_EQ(slider(again, "offsetx").wholeValue(), 10);
}

TEST_F(ColorWindows, EscRestoresAndEnterKeepsFromTheFocusedSliderOfEveryToolWindow)
{
    const std::vector<std::function<std::unique_ptr<PatternToolDlg>()>> windows{
        [&] { return std::make_unique<MutateDlg>(project, 1234); },
        [&] { return std::make_unique<ColorCurvesDlg>(project); },
        [&] { return std::make_unique<CColorsDlg>(project); },
        [&] { return std::make_unique<WaveSeqDlg>(project, generators.wave); },
    };
    for (const auto& open : windows) {
        for (const Qt::Key closing : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
            const Grid before = cells().snapshot();
            const int states = undoStates();
            const auto window = open();
            window->show();
            ValueSlider* first = nullptr;
            // Not findChild: the sliders have no meta-object of their own.
            for (QObject* child : window->children())
                first = first ? first : dynamic_cast<ValueSlider*>(child);
            ASSERT_NE(first, nullptr);
            first->setFocus();
            key(*first, Qt::Key_End);
            EXPECT_EQ(first->value(), first->minimum()) << "the slider keeps its own keys";
            const Grid shown = cells().snapshot();
            key(*first, closing);
            const std::string what = window->windowTitle().toStdString() + ", key " + std::to_string(closing);
            EXPECT_FALSE(window->isVisible()) << what;
            EXPECT_EQ(cells().snapshot(), closing == Qt::Key_Escape ? before : shown) << what;
            EXPECT_EQ(undoStates(), closing == Qt::Key_Escape ? states : states + 1) << what;
        }
    }
}

TEST_F(ColorWindows, TheCellWindowAuditionsBothColoursAndTakesEscapeFromAFocusedSlider)
{
    auto kit = std::make_shared<CKit>();
    kit->slot(4) = instrumentOf(std::vector<float>(20000, 0.5f));
    project.setKit(kit);
    CCellDlg window(project, transport, 4, makeCell(200, 0, 0));
    window.show();
    std::vector<float> out(2 * 64);

    QTest::mousePress(&window, Qt::LeftButton, {}, CCellDlg::kOldSwatch.center());
    engine.Render(64, out.data());
    EXPECT_FLOAT_EQ(out[0], 0.5f * 200 / 255) << "the old colour, full left";
    ValueSlider& red = slider(window, "red");
    red.setFocus();
    key(red, Qt::Key_End);
    key(red, Qt::Key_PageUp);
    EXPECT_EQ(window.newColor(), makeCell(10, 0, 0));
    QTest::mousePress(&window, Qt::LeftButton, {}, CCellDlg::kNewSwatch.center());
    engine.Render(64, out.data());
    EXPECT_FLOAT_EQ(out[0], 0.5f * 10 / 255);

    key(red, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible()) << "Esc closes even from a focused slider";
    EXPECT_EQ(window.newColor(), makeCell(10, 0, 0)) << "and the new colour stands";
}

} // namespace
