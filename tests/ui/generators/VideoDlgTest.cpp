#include "ui/generators/VideoDlg.h"

#include "core/generators/GeneratorSettings.h"
#include "core/project/Project.h"
#include "core/settings/Settings.h"
#include "core/transport/Transport.h"
#include "support/QtPrinters.h"
#include "support/TempDir.h"
#include "ui/controls/FakePrompts.h"
#include "ui/controls/ValueSlider.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace quom;

namespace {

// The window over a pattern with two painted cells. Its source is a file that does not
// exist, so only the frames the tests hand over arrive, camera or not.
class VideoWindow : public ::testing::Test {
protected:
    VideoWindow()
    {
        cells().set(3, 4, makeCell(200, 0, 0));
        cells().set(5, 6, makeCell(50, 100, 150));
        start = cells().snapshot();
        settings.videoSource = "/nonexistent/quom-test-video.avi";
    }

    LiveGrid& cells() { return project.model().current(); }
    int undoStates() const { return project.undoHistory().size(); }
    // Every pixel color, but the top-left one black.
    static Grid frameOf(Cell color)
    {
        Grid frame;
        frame.fill(color);
        frame[0] = 0;
        return frame;
    }
    static void choose(VideoDlg& window, const char* mode)
    {
        window.findChild<QRadioButton*>(QString::fromUtf8(mode))->click();
    }
    static ValueSlider& slider(VideoDlg& window, const char* name)
    {
        return *window.findChild<ValueSlider*>(QString::fromUtf8(name));
    }

    Project project;
    Transport transport{project};
    Engine& engine = transport.engine();
    GeneratorSettings generators;
    Settings settings;
    FakePrompts prompts;
    Grid start{};
    const Cell green = makeCell(10, 240, 30);
};

TEST_F(VideoWindow, TheModeChoosesTheCellsAndTheAmountsHowFarTheyFollow)
{
    VideoDlg window(project, generators.camera, settings, prompts);
    EXPECT_EQ(window.windowTitle(), "Video");
    EXPECT_TRUE(window.findChild<QRadioButton*>("modify painted cells")->isChecked());
    EXPECT_EQ(window.findChild<QLabel*>("blue value")->text(), "100 %");

    window.takeFrame(frameOf(green));
    EXPECT_EQ(cells().at(3, 4), green) << "painted: copied at 100 %";
    EXPECT_EQ(cells().at(5, 6), green);
    EXPECT_EQ(cells().at(1, 1), 0u) << "empty cells stay empty";

    choose(window, "modify black cells");
    window.takeFrame(frameOf(green));
    EXPECT_EQ(cells().at(3, 4), start[cellIndex(3, 4)]) << "painted cells keep their start";
    EXPECT_EQ(cells().at(1, 1), green);
    EXPECT_EQ(cells().at(0, 0), 0u) << "a black pixel paints nothing";

    choose(window, "modify all cells");
    for (const char* name : {"red", "green", "blue"})
        slider(window, name).setValue(0);
    window.takeFrame(frameOf(green));
    EXPECT_EQ(cells().snapshot(), start) << "amounts 0 keep every starting cell";
    for (const char* name : {"red", "green", "blue"})
        slider(window, name).setValue(100);
    window.takeFrame(frameOf(green));
    EXPECT_EQ(cells().snapshot(), frameOf(green)) << "amounts 100 copy the frame, black pixels empty";
    window.reject();
}

TEST_F(VideoWindow, AnEmptyPatternStaysEmptyWhilePaintedCellsAloneMayChange)
{
    project.apply({OperationId::Clear, {}});
    VideoDlg window(project, generators.camera, settings, prompts);
    window.takeFrame(frameOf(green));
    EXPECT_EQ(cells().snapshot(), Grid{});
    window.reject();
}

TEST_F(VideoWindow, CancelRestoresAndOkKeepsTheLastFrameAsOneUndoStep)
{
    const CameraSettings before = generators.camera;
    {
        VideoDlg window(project, generators.camera, settings, prompts);
        window.show();
        choose(window, "modify all cells");
        slider(window, "red").setValue(30);
        for (int i = 0; i < 200; ++i)
            window.takeFrame(frameOf(makeCell(i, 255 - i, i / 2)));
        QTest::keyClick(&window, Qt::Key_Escape);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(cells().snapshot(), start) << "Cancel restores";
        window.takeFrame(frameOf(green));
        EXPECT_EQ(cells().snapshot(), start) << "a late frame changes nothing";
    }
    EXPECT_EQ(generators.camera, before);
    EXPECT_EQ(undoStates(), 1);

    {
        VideoDlg window(project, generators.camera, settings, prompts);
        window.show();
        window.findChild<QPushButton*>()->click();
        EXPECT_EQ(cells().snapshot(), start) << "no frame came: the pattern as it was";
    }
    EXPECT_EQ(undoStates(), 2);

    VideoDlg window(project, generators.camera, settings, prompts);
    window.show();
    choose(window, "modify black cells");
    ValueSlider& red = slider(window, "red");
    red.setFocus();
    QTest::keyClick(&red, Qt::Key_End);
    QTest::keyClick(&red, Qt::Key_PageUp);
    QTest::keyClick(&red, Qt::Key_PageUp);
    QTest::keyClick(&red, Qt::Key_Right);
    window.takeFrame(frameOf(makeCell(1, 2, 3)));
    const Cell last = makeCell(200, 100, 50);
    window.takeFrame(frameOf(last));
    const Grid shown = cells().snapshot();
    EXPECT_EQ(shown[cellIndex(3, 4)], start[cellIndex(3, 4)]);
    EXPECT_EQ(shown, blendFrame(start, frameOf(last), {CameraMode::BlackCells, 21, 100, 100}));
    window.findChild<QPushButton*>()->click();
    window.takeFrame(frameOf(green));
    EXPECT_EQ(cells().snapshot(), shown) << "Ok keeps the last frame's pattern; a late frame changes nothing";
    EXPECT_EQ(undoStates(), 3);
    EXPECT_EQ(generators.camera, (CameraSettings{CameraMode::BlackCells, 21, 100, 100}));

    VideoDlg again(project, generators.camera, settings, prompts);
    EXPECT_TRUE(again.findChild<QRadioButton*>("modify black cells")->isChecked());
    EXPECT_EQ(slider(again, "red").wholeValue(), 21);
    again.reject();
}

TEST_F(VideoWindow, ThePreviewShowsTheFrameAndTheSourceListRemembersAFile)
{
    VideoDlg window(project, generators.camera, settings, prompts);
    window.show();
    const QPoint origin = VideoDlg::kPreviewOrigin;
    EXPECT_EQ(window.grab().toImage().pixelColor(origin + QPoint(20, 30)), QColor(Qt::black));
    window.takeFrame(frameOf(green));
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.pixelColor(origin), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(origin + QPoint(20, 30)), QColor(10, 240, 30));
    EXPECT_EQ(shot.pixelColor(origin + QPoint(63, 63)), QColor(10, 240, 30));
    EXPECT_NE(shot.pixelColor(origin + QPoint(64, 63)), QColor(10, 240, 30)) << "64 pixels wide";

    auto* sources = window.findChild<QComboBox*>("source");
    EXPECT_EQ(sources->currentText(), "quom-test-video.avi");
    EXPECT_EQ(sources->itemText(sources->count() - 1), "Video file...");
    sources->setFocus();
    QTest::keyClick(sources, Qt::Key_End);
    EXPECT_EQ(sources->currentText(), "quom-test-video.avi") << "no file chosen: the source stays";
    ASSERT_EQ(prompts.requests.size(), 1u);
    EXPECT_TRUE(prompts.requests[0].filter.contains("*.avi"));
    EXPECT_EQ(settings.videoSource, "/nonexistent/quom-test-video.avi");

    prompts.path = "/nonexistent/other clip.mp4";
    QTest::keyClick(sources, Qt::Key_End);
    EXPECT_EQ(sources->currentText(), "other clip.mp4");
    EXPECT_EQ(settings.videoSource, "/nonexistent/other clip.mp4");
    QTest::keyClick(sources, Qt::Key_Home);
    EXPECT_EQ(settings.videoSource, "") << "a camera";
    window.reject();
}

TEST_F(VideoWindow, EscAndEnterCloseItOnceASliderHasBeenTouched)
{
    for (const Qt::Key closing : {Qt::Key_Escape, Qt::Key_Return}) {
        VideoDlg window(project, generators.camera, settings, prompts);
        window.show();
        ValueSlider& red = slider(window, "red");
        QTest::mouseClick(&red, Qt::LeftButton, {}, QPoint(5, 5));
        window.takeFrame(frameOf(green));
        const Grid shown = cells().snapshot();
        QTest::keyClick(&red, closing);
        EXPECT_FALSE(window.isVisible()) << closing;
        EXPECT_EQ(cells().snapshot(), closing == Qt::Key_Escape ? start : shown) << closing;
    }
    EXPECT_EQ(undoStates(), 2) << "Enter is Ok";
}

TEST_F(VideoWindow, ASourceThatCannotPlaySaysWhyAndThePatternGoesBackUntilAFrameComes)
{
    TempDir dir;
    dir.write("not a video.mp4", std::string(4096, 'x'));
    settings.videoSource = dir.file("not a video.mp4");
    VideoDlg window(project, generators.camera, settings, prompts);
    window.show();
    auto* problem = window.findChild<QLabel*>("source problem");
    ASSERT_NE(problem, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !problem->text().isEmpty(); }, 20000));
    EXPECT_TRUE(problem->text().startsWith("Cannot play: ")) << problem->text().toStdString();
    EXPECT_FALSE(problem->text().contains("Internal data stream error")) << "the first error says why";
    EXPECT_EQ(cells().snapshot(), start);

    window.takeFrame(frameOf(green));
    EXPECT_EQ(cells().at(3, 4), green) << "a frame paints again";

    // The previous source's last frame does not stay as if the new one gave it.
    prompts.path = "/nonexistent/gone.avi";
    auto* sources = window.findChild<QComboBox*>("source");
    sources->setFocus();
    QTest::keyClick(sources, Qt::Key_End);
    EXPECT_EQ(problem->text(), "Cannot play: the file no longer exists.");
    EXPECT_EQ(cells().snapshot(), start);
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.pixelColor(VideoDlg::kPreviewOrigin + QPoint(20, 30)), QColor(Qt::black));

    QTest::keyClick(sources, Qt::Key_Home);
    EXPECT_EQ(problem->text(), "") << "another source: nothing wrong yet";
    window.reject();
}

} // namespace
