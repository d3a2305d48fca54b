#include "ui/main/QuomDlg.h"
#include "core/audio/Engine.h"
#include "core/files/PatternFile.h"
#include "core/io/WaveReader.h"
#include "core/kit/Kit.h"
#include "support/Instruments.h"
#include "support/TempDir.h"
#include "ui/controls/CBrushButton.h"
#include "ui/controls/CCommandButton.h"
#include "ui/controls/FakePrompts.h"
#include "ui/controls/GUIcolorButton.h"
#include "ui/generators/MutateDlg.h"
#include "ui/generators/WaveSeqDlg.h"
#include "ui/kit/CKitDlg.h"
#include "ui/main/MainWindowParts.h"
#include "ui/main/PatternView.h"
#include "ui/main/QuomSlider.h"
#include "ui/patterns/CPatternsDlg.h"

#include <QCursor>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include <sys/stat.h>

using namespace quom;

namespace {

class MainWindow : public ::testing::Test {
protected:
    MainWindow()
    {
        window = std::make_unique<CQuomDlg>(parts.context());
        auto fake = std::make_unique<FakePrompts>();
        prompts = fake.get();
        window->setPrompts(std::move(fake));
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    LiveGrid& cells() { return parts.project.model().current(); }
    Engine& engine() { return parts.engine; }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(window.get(), k, mods);
    }
    QString file(const std::string& name) { return QString::fromStdString(dir.file(name)); }
    QImage screenshot() { return window->grab().toImage(); }
    QString patternShown() { return window->patternLabel().text(); }

    TempDir dir;
    MainWindowParts parts{dir.path() + "/"};
    std::unique_ptr<CQuomDlg> window;
    FakePrompts* prompts = nullptr;
};

TEST_F(MainWindow, ScreenshotShowsCellsAndButtonsWhereTheLayoutPutsThem)
{
    const CanvasGeometry& g = window->geometry();
    EXPECT_EQ(window->size(), QSize(g.windowWidth(), g.windowHeight()));

    cells().set(5, 12, makeCell(255, 50, 100));
    cells().set(0, 0, makeCell(0, 0, 9));
    window->view().repaint();
    const QImage image = screenshot();
    EXPECT_EQ(image.pixelColor(g.cellRect(5, 12).center()), QColor(255, 50, 100));
    EXPECT_EQ(image.pixelColor(g.cellRect(0, 0).topLeft()), QColor(0, 0, 9));
    EXPECT_EQ(image.pixelColor(g.cellRect(6, 12).center()), Qt::black);

    for (const CommandEntry& entry : commandTable()) {
        const QWidget* b = entry.id == CommandId::Grid ? static_cast<QWidget*>(&window->gridButton())
                                                       : window->button(entry.id);
        ASSERT_NE(b, nullptr) << entry.caption;
        EXPECT_EQ(b->geometry(), QRect(commandPosition(entry, g), QSize(32, 30))) << entry.caption;
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(entry.toolTip));
        EXPECT_TRUE(b->isEnabled()) << entry.caption;
    }
    EXPECT_EQ(window->pickedColorSwatch().geometry(), pickedColorRect(g));
}

TEST_F(MainWindow, SpaceStartsFromTheFirstStepAndStopsAgain)
{
    key(Qt::Key_Space);
    EXPECT_TRUE(engine().playing());
    EXPECT_TRUE(window->button(CommandId::Play)->state());

    std::vector<float> buffer(2 * 6000);
    engine().Render(6000, buffer.data());
    EXPECT_EQ(engine().currentColumn(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->view().markerColumn() == 1; }, 5000));

    key(Qt::Key_Space);
    EXPECT_FALSE(engine().playing());
    EXPECT_FALSE(window->button(CommandId::Play)->state());
    EXPECT_EQ(window->view().markerColumn(), -1);

    // Started again, playback is back before the first step.
    key(Qt::Key_Space);
    engine().Render(10, buffer.data());
    EXPECT_EQ(engine().currentColumn(), 0);
}

TEST_F(MainWindow, EnterAndEscapeNeverCloseTheWindow)
{
    // At the start the keys go to the window, not to a slider that would keep them.
    EXPECT_EQ(QApplication::focusWidget(), &window->view());
    key(Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    key(Qt::Key_Return);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(parts.output.recording());
    EXPECT_TRUE(window->button(CommandId::Record)->state());
    key(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(parts.output.recording());
    EXPECT_FALSE(window->button(CommandId::Record)->state());
}

TEST_F(MainWindow, HeldKeysToggleOnceWhileOtherKeysKeepRepeating)
{
    // What the keyboard sends while a key is held; QTest cannot send it.
    auto hold = [&](Qt::Key k) {
        for (int i = 0; i < 3; ++i) {
            QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(&window->view(), &press);
        }
    };
    key(Qt::Key_Space);
    hold(Qt::Key_Space);
    key(Qt::Key_Return);
    hold(Qt::Key_Return);
    EXPECT_TRUE(engine().playing());
    EXPECT_TRUE(parts.output.recording());

    cells().set(0, 0, makeCell(9, 9, 9));
    hold(Qt::Key_Right);
    EXPECT_EQ(cells().at(3, 0), makeCell(9, 9, 9)) << "scrolling repeats";
}

TEST_F(MainWindow, TheTitleNamesTheProjectFileAndMarksUnsavedChanges)
{
    const QString load = QStringLiteral("Quom 1.1  -  CPU load: 0%  -  ");
    EXPECT_EQ(window->windowTitle(), load + "untitled");
    cells().set(1, 1, makeCell(1, 1, 1));
    window->runCommand(CommandId::RevX);
    EXPECT_EQ(window->windowTitle(), load + "untitled *");
    prompts->path = file("song.qom");
    window->runCommand(CommandId::Save);
    EXPECT_EQ(window->windowTitle(), load + "song.qom");
    EXPECT_EQ(window->view().statusText(), "Project saved: " + file("song.qom"));
}

TEST_F(MainWindow, ClosingWithUnsavedChangesAsksAndOnlySaveOrDiscardCloses)
{
    int kept = 0; // the recovery copy goes when the project is kept
    parts.project.setSavedHook([&] { ++kept; });
    cells().set(4, 4, makeCell(4, 4, 4));
    prompts->saveChoice = SaveChoice::Cancel;
    EXPECT_FALSE(window->close());
    EXPECT_EQ(prompts->questions, std::vector<QString>{"Save the changes to the project?"});

    prompts->saveChoice = SaveChoice::Save;
    prompts->path = QString();
    EXPECT_FALSE(window->close()) << "a cancelled save dialog keeps Quom open";
    prompts->path = file("song.qom");
    EXPECT_TRUE(window->close());
    EXPECT_EQ(dir.read("song.qom"), parts.project.projectBytes());
    EXPECT_EQ(kept, 1);

    window->show();
    cells().set(5, 5, makeCell(5, 5, 5));
    prompts->saveChoice = SaveChoice::Discard;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(kept, 2);
    EXPECT_TRUE(window->close()) << "nothing left to lose, nothing asked";
    EXPECT_EQ(prompts->questions.size(), 4u);
    parts.project.setSavedHook({});
}

TEST_F(MainWindow, EachRecordingIsANewFileAndClosingTheWindowEndsIt)
{
    const std::string output = parts.folders.outputFolder;
    const QString first = QString::fromStdString(output + "/output1.wav");
    key(Qt::Key_Return);
    EXPECT_EQ(window->view().notice(), QStringLiteral("Recording to \"%1\".").arg(first));
    key(Qt::Key_Return);
    EXPECT_EQ(window->view().notice(), QStringLiteral("Recorded \"%1\".").arg(first));
    EXPECT_TRUE(std::filesystem::exists(output + "/output1.wav"));
    key(Qt::Key_Return);
    window.reset();
    EXPECT_FALSE(parts.output.recording());
    EXPECT_TRUE(std::filesystem::exists(output + "/output2.wav"));
    EXPECT_FALSE(std::filesystem::exists(output + "/output3.wav"));
}

TEST_F(MainWindow, ARecordingWhoseFileCannotBeCreatedSaysSoAndStaysOff)
{
    std::filesystem::remove_all(parts.folders.outputFolder);
    key(Qt::Key_Return);
    EXPECT_FALSE(window->button(CommandId::Record)->state());
    EXPECT_TRUE(window->view().notice().startsWith("Cannot create the recording \""));
}

TEST(MainWindowWithoutSound, SaysWhichDeviceFailedAndWhereToChooseAnotherBesideTheHelpTexts)
{
    TempDir dir;
    MainWindowParts parts(dir.path() + "/");
    parts.output.initialise();
    ASSERT_FALSE(parts.output.open("No such device", 256, 0));
    CQuomDlg window(parts.context());
    window.show();
    const QString notice = window.view().notice();
    EXPECT_TRUE(notice.startsWith("Cannot open the audio device \"No such device\" ("))
        << notice.toStdString();
    EXPECT_TRUE(notice.endsWith("): no sound. Choose another in Settings.")) << notice.toStdString();

    window.showStatusText(QStringLiteral("Save the current project (.qom file)."));
    EXPECT_EQ(window.view().notice(), notice) << "a help text does not hide it";
    const QImage image = window.grab().toImage();
    const QRect shown = window.geometry().noticeRect();
    int written = 0;
    for (int x = shown.left(); x <= shown.right(); ++x)
        written += image.pixelColor(x, shown.top() + 5) != QColor(34, 34, 34);
    EXPECT_GT(written, 20) << "the notice is painted";

    window.runCommand(CommandId::Play);
    EXPECT_TRUE(parts.engine.playing()) << "silent, but running";
}

TEST_F(MainWindow, EveryButtonHereAndInTheToolWindowsShowsItsHelpAsATip)
{
    CKitDlg kitEditor(
        {parts.project, parts.transport, parts.settings, parts.folders, *prompts, QSize(1024, 800)});
    MutateDlg mutate(parts.project);
    WaveSeqDlg waveSequence(parts.project, parts.generators.wave);
    for (const QWidget* w :
        std::initializer_list<const QWidget*>{window.get(), &kitEditor, &mutate, &waveSequence}) {
        const auto buttons = w->findChildren<HelpTextButton*>();
        EXPECT_FALSE(buttons.isEmpty()) << w->windowTitle().toStdString();
        for (const HelpTextButton* b : buttons) {
            EXPECT_FALSE(b->helpText().isEmpty()) << w->windowTitle().toStdString();
            EXPECT_EQ(b->toolTip(), b->helpText());
        }
    }
}

TEST_F(MainWindow, ClearAndUndoRedoRoundTrip)
{
    cells().set(3, 4, makeCell(10, 20, 30));
    parts.project.recordUndo();

    key(Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(cells().at(3, 4), 0u);

    key(Qt::Key_Z);
    EXPECT_EQ(cells().at(3, 4), makeCell(10, 20, 30));
    key(Qt::Key_Z);
    EXPECT_EQ(cells().at(3, 4), 0u) << "back to the empty pattern of the start";
    key(Qt::Key_Z);
    EXPECT_EQ(cells().at(3, 4), 0u);
    key(Qt::Key_Y);
    EXPECT_EQ(cells().at(3, 4), makeCell(10, 20, 30));
    key(Qt::Key_Y);
    EXPECT_EQ(cells().at(3, 4), 0u);
    key(Qt::Key_Y);
    EXPECT_EQ(cells().at(3, 4), 0u);
    EXPECT_EQ(parts.project.undoHistory().cursor(), 2);
}

TEST_F(MainWindow, ConfirmationsGuardNewAndClear)
{
    parts.settings.confirmationMessages = true;
    cells().set(1, 1, 7);
    prompts->answer = false;
    window->runCommand(CommandId::Clear);
    window->runCommand(CommandId::New);
    EXPECT_EQ(cells().at(1, 1), 7u);
    ASSERT_EQ(prompts->questions.size(), 2u);
    EXPECT_EQ(prompts->questions[0], "Are you sure you want to clear this pattern?");
    EXPECT_EQ(prompts->questions[1], "This will erase all the patterns. Do you want to continue?");

    prompts->answer = true;
    window->runCommand(CommandId::Clear);
    EXPECT_EQ(cells().at(1, 1), 0u);
}

TEST_F(MainWindow, NewErasesEveryPatternAndTempoButKeepsTheKit)
{
    auto kit = std::make_shared<CKit>();
    kit->slot(7).name = "kept.wav";
    engine().setKit(kit);
    cells().set(2, 2, 5);
    window->tempoSlider().setValue(200);
    key(Qt::Key_3, Qt::KeypadModifier);
    EXPECT_EQ(parts.project.model().currentIndex(), 2);
    EXPECT_EQ(patternShown(), "Pattern 3");
    cells().set(9, 9, 5);
    window->tempoSlider().setValue(90);

    key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(prompts->questions.empty());
    EXPECT_EQ(parts.project.model().currentIndex(), 0);
    EXPECT_EQ(patternShown(), "Pattern 1");
    EXPECT_EQ(window->tempoSlider().wholeValue(), 120);
    EXPECT_EQ(cells().at(9, 9), 0u);
    for (int slot = 0; slot < kPatternSlots; ++slot) {
        EXPECT_EQ(parts.project.model().tempo(slot), 120);
        EXPECT_EQ(parts.project.model().slot(slot), Grid{});
    }
    EXPECT_EQ(parts.project.undoHistory().size(), 0);
    EXPECT_EQ(engine().kit()->slot(7).name, "kept.wav");
}

TEST_F(MainWindow, KeypadSwitchesPatternsKeepingEachOnesCellsAndTempo)
{
    cells().set(0, 1, 11);
    window->tempoSlider().setValue(99);
    key(Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(parts.project.model().currentIndex(), 4);
    EXPECT_EQ(patternShown(), "Pattern 5");
    EXPECT_EQ(cells().at(0, 1), 0u);
    EXPECT_EQ(window->tempoSlider().wholeValue(), 120);
    key(Qt::Key_0, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(parts.project.model().currentIndex(), 9);
    EXPECT_EQ(patternShown(), "Pattern 10");
    key(Qt::Key_1, Qt::KeypadModifier);
    EXPECT_EQ(parts.project.model().currentIndex(), 0);
    EXPECT_EQ(cells().at(0, 1), 11u);
    EXPECT_EQ(window->tempoSlider().wholeValue(), 99);
}

TEST_F(MainWindow, WheelNotchesMoveTheTempoWithinItsRange)
{
    auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(500, 300), QPointF(500, 300), QPoint(), QPoint(0, delta), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window.get(), &event);
    };
    wheel(120);
    EXPECT_EQ(window->tempoSlider().wholeValue(), 119);
    wheel(-240);
    EXPECT_EQ(window->tempoSlider().wholeValue(), 121);
    wheel(60);
    EXPECT_EQ(window->tempoSlider().wholeValue(), 121) << "half a notch waits for the other half";
    wheel(60);
    EXPECT_EQ(window->tempoSlider().wholeValue(), 120);

    window->tempoSlider().setValue(350);
    wheel(-120);
    EXPECT_EQ(window->tempoSlider().wholeValue(), 350);
    EXPECT_EQ(parts.project.model().tempo(0), 350);
}

TEST_F(MainWindow, GridButtonBrightensTheGridInTheScreenshot)
{
    const CanvasGeometry& g = window->geometry();
    const QPoint line(4 * g.cellWidth() + 14, g.cellRect(0, 1).center().y());
    EXPECT_EQ(screenshot().pixelColor(line), QColor(40, 40, 40));
    QTest::mouseClick(&window->gridButton(), Qt::LeftButton);
    EXPECT_EQ(screenshot().pixelColor(line), QColor(70, 70, 70));
    QTest::mouseClick(&window->gridButton(), Qt::LeftButton);
    EXPECT_EQ(screenshot().pixelColor(line), QColor(40, 40, 40));
}

TEST_F(MainWindow, ProjectRoundTripRestoresAllSlotsAndSelectsTheFirst)
{
    for (int slot = 0; slot < kPatternSlots; ++slot) {
        parts.project.selectPattern(slot);
        cells().set(slot, slot, makeCell(slot + 1, 2, 3));
        window->tempoSlider().setValue(60 + slot);
    }
    prompts->path = file("song.qom");
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(prompts->requests.back().startPath, QString::fromStdString(parts.folders.projectsFolder));

    key(Qt::Key_N, Qt::ControlModifier);
    key(Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(prompts->messages.empty()) << prompts->messages.front().toStdString();
    EXPECT_EQ(parts.project.model().currentIndex(), 0);
    EXPECT_EQ(window->tempoSlider().wholeValue(), 60);
    EXPECT_EQ(cells().at(0, 0), makeCell(1, 2, 3));
    EXPECT_EQ(parts.project.undoHistory().size(), 0);
    for (int slot = 1; slot < kPatternSlots; ++slot) {
        EXPECT_EQ(parts.project.model().tempo(slot), 60 + slot);
        EXPECT_EQ(parts.project.model().slot(slot)[cellIndex(slot, slot)], makeCell(slot + 1, 2, 3));
    }
    EXPECT_EQ(parts.folders.projectsFolder, dir.path() + "/Projects") << "the folder is not replaced";
}

TEST_F(MainWindow, RefusedFilesLeaveThePatternAndSayWhy)
{
    cells().set(1, 2, 3);
    dir.write("not.pat", std::string(16400, 'x'));
    window->loadPattern(file("not.pat"));
    dir.write("short.pat", std::string("PATT") + std::string(100, '\0'));
    window->loadPattern(file("short.pat"));
    window->loadProject(file("missing.qom"));
    window->openDroppedFile(file("song.QOM"));
    window->openDroppedFile(file("README"));

    EXPECT_EQ(cells().at(1, 2), 3u);
    ASSERT_EQ(prompts->messages.size(), 4u);
    EXPECT_EQ(prompts->messages[0], "Error: this is not a Quom pattern file:\n " + file("not.pat"));
    EXPECT_EQ(prompts->messages[1], "Error: the file is damaged or incomplete:\n " + file("short.pat"));
    EXPECT_EQ(prompts->messages[2], "Error: unable to load the file:\n " + file("missing.qom"));
    EXPECT_EQ(
        prompts->messages[3], "Quom does not allow this type of file to be dropped on its main window.");
}

TEST_F(MainWindow, FifosAndDevicesAreRefusedWithoutWaitingAsFilesAndAsTheDefaultKit)
{
    // Without a limit a FIFO would block the window for ever and /dev/zero fill memory;
    // the test's time limit is the bound.
    cells().set(1, 2, 3);
    std::vector<QString> refused;
    for (const std::string extension : {"qom", "pat", "kit"}) {
        ASSERT_EQ(::mkfifo(dir.file("fifo." + extension).c_str(), 0600), 0);
        std::filesystem::create_symlink("/dev/zero", dir.file("zero." + extension));
        for (const std::string name : {"fifo.", "zero."}) {
            window->openDroppedFile(file(name + extension));
            refused.push_back("Error: unable to load the file:\n " + file(name + extension));
        }
    }
    EXPECT_EQ(prompts->messages, refused);
    EXPECT_EQ(cells().at(1, 2), 3u);

    // A window whose default kit is a FIFO still opens.
    TempDir other;
    MainWindowParts starting{other.path() + "/"};
    starting.settings.loadDefaultKit = true;
    ASSERT_EQ(::mkfifo((starting.folders.kitsFolder + "/default.kit").c_str(), 0600), 0);
    CQuomDlg opened(starting.context());
    EXPECT_EQ(starting.project.kit()->slot(0).name, CKit().slot(0).name);
}

TEST_F(MainWindow, PatternFilesCarryTheSliderTempoAndLoadAsAnUndoableEdit)
{
    cells().set(7, 7, makeCell(1, 0, 0));
    prompts->path = file("beat.pat");
    key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    const auto bytes = dir.read("beat.pat");
    ASSERT_EQ(bytes.size(), kPatternFileSize);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 12, bytes.begin() + 16),
        (std::vector<std::uint8_t>{0x78, 0, 0, 0}));

    key(Qt::Key_N, Qt::ControlModifier);
    key(Qt::Key_Space);
    window->openDroppedFile(file("beat.pat"));
    EXPECT_EQ(cells().at(7, 7), makeCell(1, 0, 0));
    EXPECT_TRUE(engine().playing()) << "a dropped pattern does not stop playback";
    key(Qt::Key_Space);

    // New emptied the history; the load is the first state, the second load the next.
    window->tempoSlider().setValue(33);
    window->loadPattern(file("beat.pat"));
    EXPECT_EQ(window->tempoSlider().wholeValue(), 120);
    cells().clear();
    key(Qt::Key_Z);
    EXPECT_EQ(cells().at(7, 7), makeCell(1, 0, 0));
}

TEST_F(MainWindow, MidiExportStopsPlaybackAndRemembersThePath)
{
    key(Qt::Key_Space);
    prompts->path = QString();
    key(Qt::Key_M, Qt::ControlModifier);
    EXPECT_FALSE(engine().playing()) << "stopped even when the dialog is cancelled";
    EXPECT_FALSE(dir.exists("out.mid"));

    prompts->path = file("out.mid");
    key(Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(dir.exists("out.mid"));
    EXPECT_EQ(window->view().statusText(), "MIDI file exported: " + file("out.mid"));
    EXPECT_EQ(parts.folders.midiFolder, dir.file("out.mid"));
    key(Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(prompts->requests.back().startPath, file("out.mid"));

    prompts->path = file("no/such/folder/out.mid");
    key(Qt::Key_M, Qt::ControlModifier);
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0], "An error occurred while saving the MIDI file:\n" + prompts->path);
}

TEST_F(MainWindow, VolumeSliderSetsTheMasterGain)
{
    EXPECT_FLOAT_EQ(engine().gain(), 0.8f);
    window->volumeSlider().setValue(25);
    EXPECT_FLOAT_EQ(engine().gain(), 0.25f);
}

} // namespace

TEST_F(MainWindow, KeyIAuditionsTheSampleOfTheRowUnderTheMouse)
{
    auto kit = std::make_shared<CKit>();
    kit->slot(5) = instrumentOf(std::vector<float>(4000, 0.5f));
    engine().setKit(kit);
    std::vector<float> out(2 * 256);
    auto loudness = [&] {
        engine().Render(256, out.data());
        return *std::ranges::max_element(out);
    };

    QCursor::setPos(window->mapToGlobal(QPoint(5, 5)));
    key(Qt::Key_I);
    EXPECT_EQ(loudness(), 0.0f) << "the mouse is off the canvas";

    QCursor::setPos(window->mapToGlobal(window->geometry().cellRect(30, 5).center()));
    key(Qt::Key_I);
    EXPECT_GT(loudness(), 0.1f);
}

TEST_F(MainWindow, PointingAtAButtonShowsItsHelpInTheStatusLine)
{
    QTest::mouseMove(window->button(CommandId::Save), QPoint(10, 10));
    EXPECT_EQ(window->view().statusText(), "Save the current project (.qom file).");
}

TEST_F(MainWindow, ImportedImageBecomesThePatternAndCanBeUndone)
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::black);
    image.setPixelColor(3, 40, QColor(200, 10, 20));
    image.setPixelColor(63, 0, QColor(1, 2, 3));
    ASSERT_TRUE(image.save(file("picture.bmp")));
    dir.write("broken.jpg", std::string("not a picture"));
    cells().set(0, 0, 77);
    parts.project.recordUndo();

    prompts->path = file("broken.jpg");
    key(Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(cells().at(0, 0), 77u) << "a file that does not decode changes nothing";
    EXPECT_TRUE(prompts->messages.empty());

    prompts->path = file("picture.bmp");
    key(Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(prompts->requests.back().startPath, file("broken.jpg")) << "starts where the last import was";
    const QString filter = prompts->requests.back().filter;
    EXPECT_TRUE(filter.startsWith(u"All pictures (")) << "every picture Qt reads is offered first";
    EXPECT_TRUE(filter.contains(u"*.png"));
    EXPECT_TRUE(filter.endsWith(u";;JPEG files (*.jpg *.jpeg);;GIF files (*.gif);;Windows BMP files "
                                u"(*.bmp);;All files (*)"));
    EXPECT_EQ(parts.folders.picturesFolder, dir.file("picture.bmp"));
    EXPECT_EQ(cells().at(3, 40), makeCell(200, 10, 20));
    EXPECT_EQ(cells().at(63, 0), makeCell(1, 2, 3));
    EXPECT_EQ(cells().at(0, 0), 0u);

    key(Qt::Key_Z);
    EXPECT_EQ(cells().at(0, 0), 77u);
    EXPECT_EQ(cells().at(3, 40), 0u);
}

// A 16-bit mono PCM wave file of frames samples at half scale.
std::vector<std::uint8_t> monoWave(std::uint32_t frames)
{
    std::vector<std::uint8_t> bytes;
    auto text = [&](const char* s) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<std::uint8_t>(s[i]));
    };
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto u16 = [&](std::uint16_t v) {
        bytes.push_back(static_cast<std::uint8_t>(v));
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    text("RIFF");
    u32(36 + 2 * frames);
    text("WAVE");
    text("fmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(44100);
    u32(88200);
    u16(2);
    u16(16);
    text("data");
    u32(2 * frames);
    for (std::uint32_t i = 0; i < frames; ++i)
        u16(0x4000);
    return bytes;
}

TEST_F(MainWindow, DefaultKitIsLoadedAtStartWhenTheSettingsAskForIt)
{
    dir.write("snare.wav", monoWave(300));
    CKit kit;
    kit.slot(2).name = dir.file("snare.wav");
    ASSERT_TRUE(kit.Save(parts.folders.kitsFolder + "/default.kit"));

    window.reset();
    window = std::make_unique<CQuomDlg>(parts.context());
    EXPECT_EQ(engine().kit()->slot(2).length(), 0u) << "the setting is off";

    window.reset();
    parts.settings.loadDefaultKit = true;
    window = std::make_unique<CQuomDlg>(parts.context());
    EXPECT_EQ(engine().kit()->slot(2).length(), 300u);
}

TEST_F(MainWindow, DroppedKitStopsPlaybackAndReplacesTheSamples)
{
    dir.write("kick.wav", monoWave(100));
    CKit kit;
    kit.slot(0).name = dir.file("kick.wav");
    kit.slot(1).name = dir.file("gone.wav");
    kit.slot(1).loop = true;
    kit.slot(2).name = dir.file("lost.wav");
    ASSERT_TRUE(kit.Save(dir.file("drums.kit")));
    dir.write("broken.kit", std::string("<QuomKit><instrument>"));

    key(Qt::Key_Space);
    window->openDroppedFile(file("drums.kit"));
    EXPECT_FALSE(engine().playing());
    EXPECT_EQ(engine().kit()->slot(0).length(), 100u);
    EXPECT_TRUE(engine().kit()->slot(1).loop);
    ASSERT_EQ(prompts->messages.size(), 1u) << "one message for every sample that failed";
    EXPECT_EQ(prompts->messages[0],
        "Unable to read 2 files:\n " + file("gone.wav") + ": No such file or directory\n " + file("lost.wav")
            + ": No such file or directory");

    window->openDroppedFile(file("missing.kit"));
    ASSERT_EQ(prompts->messages.size(), 2u);
    EXPECT_EQ(prompts->messages[1], "Error: unable to load the file:\n " + file("missing.kit"));
    EXPECT_EQ(engine().kit()->slot(0).length(), 100u) << "a kit that cannot be read changes nothing";
}

TEST_F(MainWindow, WaveExportRendersOnePassAtTheSliderTempoAndStopsPlayback)
{
    window->tempoSlider().setValue(350);
    key(Qt::Key_Space);
    prompts->path = file("loop.wav");
    key(Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(engine().playing());
    EXPECT_FALSE(window->button(CommandId::Play)->state());
    EXPECT_FALSE(engine().mutedForExport());
    EXPECT_EQ(window->view().statusText(), "Wave file exported: " + file("loop.wav"));
    EXPECT_EQ(parts.folders.wavesFolder, dir.file("loop.wav"));

    const auto wave = readWave(dir.file("loop.wav"));
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->samples.size(), 42336000u / 350);
    EXPECT_TRUE(std::ranges::all_of(wave->samples, [](float s) { return s == 0.0f; })) << "an empty pattern";

    prompts->path = file("no/such/folder/loop.wav");
    key(Qt::Key_W, Qt::ControlModifier);
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0], "Error: unable to save the file:\n " + prompts->path);
}

TEST_F(MainWindow, KeyKStopsPlaybackAndOpensTheKitEditorWhoseEditsArePlayed)
{
    key(Qt::Key_Space);
    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto* editor = qobject_cast<CKitDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->parentWidget(), window.get());
        EXPECT_FALSE(engine().playing());
        QTest::mouseClick(editor, Qt::LeftButton, {}, QPoint(205, editor->layout().rowTop(4) + 5));
        editor->close();
        opened = true;
    });
    key(Qt::Key_K);
    EXPECT_TRUE(opened);
    EXPECT_FALSE(window->button(CommandId::Play)->state());
    EXPECT_TRUE(engine().kit()->slot(4).loop) << "the loop mark clicked in the editor";
}

TEST_F(MainWindow, KeyPStoresThePatternAndSwitchesToTheChosenThumbnail)
{
    cells().set(2, 2, 9);
    bool chosen = false;
    QTimer::singleShot(0, [&] {
        auto* chooser = qobject_cast<CPatternsDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        QTest::keyClick(chooser, Qt::Key_Right);
        QTest::keyClick(chooser, Qt::Key_Right);
        QTest::keyClick(chooser, Qt::Key_Return);
        chosen = true;
    });
    key(Qt::Key_P);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(parts.project.model().currentIndex(), 2);
    EXPECT_EQ(patternShown(), "Pattern 3");
    EXPECT_EQ(cells().at(2, 2), 0u);
    EXPECT_EQ(parts.project.model().slot(0)[cellIndex(2, 2)], 9u) << "the pattern was stored first";
}

TEST_F(MainWindow, ControllerMessagesPlayThePatternAndRestAsOneUndoState)
{
    const auto message = [](int status, int data1, int data2) {
        return static_cast<std::uint32_t>(status | data1 << 8 | data2 << 16);
    };
    window->applyMidiMessage(message(0xC0, 1, 0));
    EXPECT_EQ(parts.project.model().currentIndex(), 1) << "program 1 is pattern 2";
    EXPECT_EQ(patternShown(), "Pattern 2");
    cells().set(4, 4, makeCell(100, 0, 0));
    parts.project.recordUndo();
    const int states = parts.project.undoHistory().size();

    window->applyMidiMessage(message(0xB0, 7, 10)); // the red controller: the first value only
    window->applyMidiMessage(message(0xB0, 7, 20));
    window->applyMidiMessage(message(0xB1, 7, 90)); // another channel
    EXPECT_EQ(cells().at(4, 4), makeCell(120, 0, 0));
    EXPECT_EQ(parts.project.undoHistory().size(), states) << "not while the knob turns";
    EXPECT_TRUE(QTest::qWaitFor([&] { return parts.project.undoHistory().size() == states + 1; }, 2000));

    window->applyMidiMessage(message(0xB0, 20, 0)); // the tempo controller
    EXPECT_EQ(window->tempoSlider().wholeValue(), 1);
}

TEST_F(MainWindow, ControllerMovesWaitForAToolWindowAndTheStatusLineSaysSo)
{
    const auto red = [](int value) { return static_cast<std::uint32_t>(0xB0 | 7 << 8 | value << 16); };
    cells().set(4, 4, makeCell(100, 0, 0));
    {
        const PatternLoan toolWindow(parts.project);
        window->applyMidiMessage(red(10));
        EXPECT_EQ(window->view().notice(), QString()) << "a reference moves nothing, so nothing waits";
        window->applyMidiMessage(red(20));
        EXPECT_EQ(cells().at(4, 4), makeCell(100, 0, 0));
        EXPECT_EQ(window->view().notice(),
            "MIDI control is held while the window is open, and applied when it closes.");
    }
    EXPECT_EQ(cells().at(4, 4), makeCell(120, 0, 0));
    EXPECT_EQ(window->view().notice(), QString());
}
