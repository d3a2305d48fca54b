#include "ui/kit/CKitDlg.h"
#include "core/project/Project.h"
#include "core/settings/AppFolders.h"
#include "core/settings/Settings.h"
#include "core/transport/Transport.h"
#include "support/QtPrinters.h"
#include "support/TempDir.h"
#include "support/WaveBytes.h"
#include "ui/controls/CCommandButton.h"
#include "ui/controls/FakePrompts.h"

#include <QImage>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

using namespace quom;

namespace {

namespace fs = std::filesystem;

class KitEditor : public ::testing::Test {
protected:
    KitEditor()
        : folders(buildFolders(dir.path() + "/"))
    {
        createFolders(folders);
        settings.audioEditor = "/nonexistent/editor --flag";
        // A screen with room for 64 rows of 10 pixels.
        editor = std::make_unique<CKitDlg>(context());
        editor->show();
    }

    CKitDlg::Context context()
    {
        return {
            project, transport, settings, folders, prompts, QSize(1024, 800), [this] { return now += tick; }};
    }

    std::string wave(const std::string& name, std::size_t frames = 4, std::int16_t value = 1000)
    {
        dir.write(name, wavebytes::mono16(std::vector<std::int16_t>(frames, value)));
        return dir.file(name);
    }
    // The slot as the engine plays it: every edit is published at once.
    const CInstrument& slot(int index) const { return project.kit()->slot(index); }
    QPoint at(int slot, int x) const { return {x, editor->layout().rowTop(slot) + 5}; }
    void moveTo(QPoint p) { QTest::mouseMove(editor.get(), p); }
    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
    {
        QTest::mousePress(editor.get(), b, m, p);
    }
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseRelease(editor.get(), b, {}, p);
    }
    void click(QPoint p, Qt::KeyboardModifiers m = {})
    {
        press(p, Qt::LeftButton, m);
        release(p);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(editor.get(), k, m); }
    void button(int id) { QTest::mouseClick(editor->button(id), Qt::LeftButton, {}, QPoint(5, 5)); }
    // Lets a Folder or Random search run to its end.
    void settle(CKitDlg& window)
    {
        for (int turn = 0; window.building() && turn < 1'000'000; ++turn)
            QCoreApplication::processEvents();
        ASSERT_FALSE(window.building());
    }
    void settle() { settle(*editor); }
    // count files that pass the wave check, in folder.
    void tree(const std::string& folder, int count)
    {
        fs::create_directories(dir.file(folder + "/sub"));
        for (int i = 0; i < count; ++i)
            wave(folder + (i % 2 ? "/sub/" : "/") + std::to_string(i) + ".wav");
    }
    // Slots 0..count-1 hold a sample.
    void fill(int count)
    {
        for (int i = 0; i < count; ++i) {
            prompts.path = QString::fromStdString(wave(QStringLiteral("s%1.wav").arg(i).toStdString()));
            click(at(i, 30));
        }
    }

    TempDir dir;
    Project project;
    Transport transport{project};
    Engine& engine = transport.engine();
    Settings settings;
    AppFolders folders;
    FakePrompts prompts;
    // The editor's clock moves tick at each reading: frozen, a search runs in one slice.
    std::chrono::steady_clock::time_point now;
    std::chrono::milliseconds tick{0};
    std::unique_ptr<CKitDlg> editor;
};

TEST_F(KitEditor, ThePointerSelectsARowLeftOfTheFlagsAndShowsItsFile)
{
    EXPECT_EQ(editor->size(), QSize(400, 740));
    EXPECT_EQ(editor->windowTitle(), "Kit Editor");
    moveTo(at(3, 100));
    EXPECT_EQ(editor->selectedSlot(), 3);
    EXPECT_EQ(editor->statusText(), "not used");
    moveTo(at(63, 249));
    EXPECT_EQ(editor->selectedSlot(), 63);
    moveTo(at(63, 250));
    EXPECT_EQ(editor->selectedSlot(), -1);

    QTest::mouseMove(editor->button(CKitDlg::kRandom), QPoint(5, 5));
    EXPECT_EQ(editor->statusText(),
        "Create a new kit from samples randomly chosen in a folder and its subfolders.");
}

TEST_F(KitEditor, AClickOnANameLoadsAFileAndAFileThatFailsKeepsTheSlot)
{
    const QString good = QString::fromStdString(wave("kick.wav", 10));
    prompts.path = good;
    click(at(2, 30));
    EXPECT_EQ(slot(2).name, good.toStdString());
    EXPECT_EQ(slot(2).length(), 10u);
    EXPECT_EQ(folders.wavesFolder, good.toStdString()) << "the next dialog starts there";

    dir.write("broken.wav", std::string("RIFF"));
    prompts.path = QString::fromStdString(dir.file("broken.wav"));
    click(at(2, 30));
    EXPECT_EQ(slot(2).name, good.toStdString());
    ASSERT_EQ(prompts.messages.size(), 1u) << "the file the user chose says why it was refused";
    EXPECT_EQ(prompts.messages[0], "Unable to read the file:\n " + prompts.path + ": not a RIFF WAVE file");
}

// Whether the name column of a row shows a rate label, in its own ink.
bool showsRate(const QImage& window, const KitEditorLayout& layout, int slot)
{
    for (int y = layout.rowTop(slot); y < layout.rowTop(slot) + layout.rowHeight(); ++y) {
        for (int x = 120; x < 196; ++x) {
            const QColor c = window.pixelColor(x, y);
            if (c.red() > 200 && c.green() > 110 && c.green() < 200 && c.blue() < 130)
                return true;
        }
    }
    return false;
}

TEST_F(KitEditor, AFileOfAnotherRateLoadsTheProjectsWayAndShowsItsRate)
{
    dir.write("48k.wav",
        wavebytes::riffWave({wavebytes::fmtChunk(1, 16, 1, 48000),
            wavebytes::dataChunk(wavebytes::pcm16(std::vector<std::int16_t>(4800, 1000)))}));
    project.setFileRate(FileRate::Own);
    prompts.path = QString::fromStdString(dir.file("48k.wav"));
    click(at(0, 30));
    prompts.path = QString::fromStdString(wave("44k.wav", 4800));
    click(at(1, 30));
    EXPECT_EQ(slot(0).length(), 4410u) << "resampled to play at its own pitch";
    EXPECT_EQ(slot(1).length(), 4800u);

    const QImage shown = editor->grab().toImage();
    EXPECT_TRUE(showsRate(shown, editor->layout(), 0));
    EXPECT_FALSE(showsRate(shown, editor->layout(), 1));
}

TEST_F(KitEditor, OnAShortScreenTheLastThirtyTwoSlotsStandInASecondColumn)
{
    CKitDlg twin({project, transport, settings, folders, prompts, QSize(1024, 568)});
    twin.show();
    ASSERT_EQ(twin.layout().columns(), 2);
    EXPECT_EQ(twin.size(), QSize(780, 420));
    const int second = KitEditorLayout::kColumnWidth;
    const QPoint name(second + 30, twin.layout().rowTop(40) + 5);
    QTest::mouseMove(&twin, name);
    EXPECT_EQ(twin.selectedSlot(), 40);
    QTest::mouseClick(&twin, Qt::LeftButton, {}, {second + KitEditorLayout::kLoopX + 5, name.y()});
    EXPECT_TRUE(slot(40).loop);

    // The label "41 - not used" is drawn in the second column, beside the first's "09".
    const QImage image = twin.grab().toImage();
    const auto inked = [&](QRect area) {
        for (int x = area.left(); x <= area.right(); ++x) {
            for (int y = area.top(); y <= area.bottom(); ++y) {
                if (image.pixelColor(x, y) != QColor(34, 34, 34))
                    return true;
            }
        }
        return false;
    };
    const int row = twin.layout().rowHeight();
    EXPECT_TRUE(inked(QRect(second + 20, twin.layout().rowTop(40), 150, row)));
    EXPECT_TRUE(inked(QRect(20, twin.layout().rowTop(8), 150, row)));
    EXPECT_FALSE(inked(QRect(second + 20, twin.layout().rowTop(31) + row, 150, 8)))
        << "nothing under the rows";
}

TEST_F(KitEditor, MarksToggleAndShiftSetsEverySlotToTheOppositeOfTheOneClicked)
{
    click(at(2, 205));
    EXPECT_TRUE(slot(2).loop);
    EXPECT_FALSE(slot(3).loop);
    click(at(2, 211), Qt::ShiftModifier);
    for (int i = 0; i < kKitSlots; ++i)
        ASSERT_FALSE(slot(i).loop);
    click(at(9, 235), Qt::ShiftModifier);
    for (int i = 0; i < kKitSlots; ++i)
        ASSERT_TRUE(slot(i).fade);
    click(at(9, 220));
    EXPECT_TRUE(slot(9).fade) << "between the marks is no zone";
}

TEST_F(KitEditor, RightDragClearsEverySlotPassedAndShiftClearsTheKit)
{
    fill(6);
    press(at(1, 50), Qt::RightButton);
    moveTo(at(2, 50));
    moveTo(at(3, 50));
    release(at(3, 50), Qt::RightButton);
    moveTo(at(4, 50));
    EXPECT_FALSE(slot(0).isEmpty());
    for (int i : {1, 2, 3})
        EXPECT_TRUE(slot(i).isEmpty()) << i;
    EXPECT_FALSE(slot(4).isEmpty()) << "the release ends the clearing";

    press(at(5, 50), Qt::RightButton, Qt::ShiftModifier);
    release(at(5, 50), Qt::RightButton);
    for (int i = 0; i < kKitSlots; ++i)
        ASSERT_TRUE(slot(i).isEmpty());
}

TEST_F(KitEditor, KeysWrapAroundAndActOnTheSelectedSlot)
{
    fill(2);
    moveTo(at(0, 300)); // right of the rows: nothing selected
    key(Qt::Key_Up);
    EXPECT_EQ(editor->selectedSlot(), 0);
    key(Qt::Key_Up);
    EXPECT_EQ(editor->selectedSlot(), 63);
    key(Qt::Key_Down);
    EXPECT_EQ(editor->selectedSlot(), 0);
    key(Qt::Key_Down);
    key(Qt::Key_L);
    EXPECT_TRUE(slot(1).loop);
    key(Qt::Key_F, Qt::ShiftModifier);
    EXPECT_TRUE(slot(63).fade) << "every slot takes the opposite of slot 0";

    key(Qt::Key_Down);
    key(Qt::Key_Return); // an empty slot: no editor, no message
    key(Qt::Key_Space);
    EXPECT_TRUE(prompts.messages.empty());
    key(Qt::Key_Up);
    key(Qt::Key_Return);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], "Unable to open the wave file in the external audio editor.");
    EXPECT_TRUE(editor->isVisible());

    key(Qt::Key_Delete);
    EXPECT_TRUE(slot(1).isEmpty());
    EXPECT_FALSE(slot(0).isEmpty());
    key(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_TRUE(slot(0).isEmpty());
}

TEST_F(KitEditor, SpacePlaysTheFileAsItIsOnDiskNowUntilTheWindowCloses)
{
    prompts.path = QString::fromStdString(wave("tone.wav", 4000, 1000));
    click(at(0, 30));
    wave("tone.wav", 4000, 16384); // changed by another program since it was loaded
    moveTo(at(0, 30));
    key(Qt::Key_Space);
    std::vector<float> out(2 * 64);
    engine.Render(64, out.data());
    EXPECT_FLOAT_EQ(out[0], 0.25f) << "half of 16384 / 32768 on each side";

    // What the slot plays: the first channel, at the kit's rate (a sound player would mix
    // both and play at 48 kHz).
    dir.write("stereo.wav",
        wavebytes::riffWave({wavebytes::fmtChunk(2, 16, 1, 48000),
            wavebytes::dataChunk(wavebytes::pcm16({16384, 0, 8192, 0, 16384, 0, 8192, 0}))}));
    prompts.path = QString::fromStdString(dir.file("stereo.wav"));
    click(at(1, 30));
    moveTo(at(1, 30));
    key(Qt::Key_Space);
    engine.Render(64, out.data());
    EXPECT_FLOAT_EQ(out[0], 0.25f);
    EXPECT_FLOAT_EQ(out[2], 0.125f) << "the second frame, no resampling";
    EXPECT_EQ(out[8], 0.0f) << "four frames long";

    editor->close();
    engine.Render(64, out.data());
    EXPECT_EQ(out[0], 0.0f);
}

TEST_F(KitEditor, AddAndDropFillTheEmptySlotsAndSayWhenTheKitIsFull)
{
    fill(kKitSlots);
    prompts.paths = {QString::fromStdString(wave("extra.wav"))};
    button(CKitDlg::kAdd);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], "There was not enough empty slots for all samples.");

    // The program the files came from waits for the drop to return: the box comes after.
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.file("extra.wav")))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &files, Qt::LeftButton, {});
    QCoreApplication::sendEvent(editor.get(), &enter);
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &files, Qt::LeftButton, {});
    QCoreApplication::sendEvent(editor.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(prompts.messages.size(), 1u) << "no box inside the drop";
    QCoreApplication::processEvents();
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[1], "There was not enough empty slots for all samples.");

    key(Qt::Key_Delete, Qt::ShiftModifier);
    editor->addFiles(
        {QString::fromStdString(dir.file("missing.wav")), QString::fromStdString(wave("a.wav"))});
    EXPECT_EQ(slot(0).name, dir.file("a.wav")) << "a failed file leaves its slot empty for the next";
    ASSERT_EQ(prompts.messages.size(), 3u);
    EXPECT_EQ(prompts.messages[2],
        QString::fromStdString(
            "Unable to read the file:\n " + dir.file("missing.wav") + ": No such file or directory"));
}

TEST_F(KitEditor, FolderTakesTheFirstSixtyFourFilesThatPassAndSaysWhenThereAreNone)
{
    fs::create_directory(dir.file("many"));
    dir.write("many/000.wav", wavebytes::riffWave({wavebytes::fmtChunk(1, 12)}));
    for (int i = 1; i <= 70; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "many/%03d.wav", i);
        wave(name);
    }
    prompts.folder = QString::fromStdString(dir.file("many"));
    button(CKitDlg::kFolder);
    settle();
    EXPECT_EQ(slot(0).name, dir.file("many/001.wav")) << "the file that fails the check is skipped";
    EXPECT_EQ(slot(63).name, dir.file("many/064.wav"));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(editor->statusText(), "Loading... " + QString::fromStdString(dir.file("many/064.wav")));

    // Nothing usable keeps the kit as it was and says why.
    const std::string kept = slot(0).name;
    const QString nothing
        = "No sample file has been found in this folder, or they were not in the right format!";
    prompts.folder = QString::fromStdString(dir.file("bad"));
    fs::create_directory(dir.file("bad"));
    dir.write("bad/000.wav", wavebytes::riffWave({wavebytes::fmtChunk(1, 12)}));
    button(CKitDlg::kFolder);
    settle();
    EXPECT_EQ(slot(0).name, kept) << "none passes: the kit is kept";
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], nothing);

    fs::create_directory(dir.file("none"));
    dir.write("none/readme.txt", std::string("x"));
    prompts.folder = QString::fromStdString(dir.file("none"));
    button(CKitDlg::kFolder);
    settle();
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[1], nothing);
    EXPECT_EQ(slot(0).name, kept);

    // Files that pass the check but none of which can be read.
    fs::create_directory(dir.file("hollow"));
    dir.write("hollow/a.wav", wavebytes::riffWave({wavebytes::fmtChunk(1, 16)}));
    prompts.folder = QString::fromStdString(dir.file("hollow"));
    button(CKitDlg::kFolder);
    settle();
    ASSERT_EQ(prompts.messages.size(), 3u);
    EXPECT_TRUE(prompts.messages[2].startsWith("Unable to read the file:\n " + prompts.folder + "/a.wav: "))
        << prompts.messages[2].toStdString();
    EXPECT_EQ(slot(0).name, kept);
}

TEST_F(KitEditor, RandomWalksATreeWithALinkLoopAndKeepsScanOrderForFewFiles)
{
    fs::create_directories(dir.file("tree/sub"));
    wave("tree/b.wav");
    wave("tree/sub/a.WAV");
    wave("tree/c.Wav");
    fs::create_directory_symlink(dir.file("tree"), dir.file("tree/sub/loop"));
    prompts.folder = QString::fromStdString(dir.file("tree"));
    button(CKitDlg::kRandom);
    settle();
    EXPECT_EQ(slot(0).name, dir.file("tree/b.wav"));
    EXPECT_EQ(slot(1).name, dir.file("tree/sub/a.WAV"));
    EXPECT_TRUE(slot(2).isEmpty()) << "x.Wav is neither of the two spellings";

    fs::create_directories(dir.file("empty/sub"));
    wave("empty/sub/x.Wav");
    prompts.folder = QString::fromStdString(dir.file("empty"));
    button(CKitDlg::kRandom);
    settle();
    EXPECT_EQ(slot(0).name, dir.file("tree/b.wav")) << "nothing found keeps the kit";
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0],
        "No sample file has been found in this folder or its subfolders, or they were not in the right "
        "format!");
}

TEST_F(KitEditor, ASearchServesEventsBetweenFilesAndEscStopsItKeepingTheKit)
{
    fill(1);
    tree("tree", 40);
    tick = std::chrono::seconds(1); // every reading ends a slice
    prompts.folder = QString::fromStdString(dir.file("tree"));
    button(CKitDlg::kRandom);
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    ASSERT_TRUE(editor->building());
    EXPECT_TRUE(editor->statusText().startsWith("Searching... " + prompts.folder))
        << editor->statusText().toStdString();
    bool served = false; // as a MIDI message reaches the window thread
    QMetaObject::invokeMethod(
        qApp, [&served] { served = true; }, Qt::QueuedConnection);
    QCoreApplication::processEvents();
    EXPECT_TRUE(served);
    EXPECT_FALSE(editor->button(CKitDlg::kClear)->isEnabled()) << "no other edit while it searches";
    key(Qt::Key_Delete, Qt::ShiftModifier);

    key(Qt::Key_Escape);
    EXPECT_FALSE(editor->building());
    EXPECT_TRUE(editor->isVisible()) << "Esc stopped the search, not the window";
    EXPECT_EQ(editor->statusText(), "Cancelled: the kit is as it was.");
    EXPECT_TRUE(editor->button(CKitDlg::kClear)->isEnabled());
    for (int i = 0; i < 50; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(slot(0).name, dir.file("s0.wav"));
    EXPECT_TRUE(slot(1).isEmpty());

    // Closing the window stops a search too; the next one runs to its end.
    button(CKitDlg::kFolder);
    editor->close();
    for (int i = 0; i < 50; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(slot(0).name, dir.file("s0.wav"));
    editor->show();
    button(CKitDlg::kFolder);
    settle();
    EXPECT_EQ(slot(0).name, dir.file("tree/0.wav"));
    EXPECT_EQ(slot(1).name, dir.file("tree/10.wav"));
    EXPECT_TRUE(prompts.messages.empty());
}

// Counts what a search writes on the status line.
class CountingKitDlg : public CKitDlg {
public:
    using CKitDlg::CKitDlg;
    void showStatusText(const QString& text) override
    {
        ++shown;
        CKitDlg::showStatusText(text);
    }
    int shown = 0;
};

TEST_F(KitEditor, TheStatusLineKeepsAHumanPaceHoweverManyFilesAreSearched)
{
    std::vector<int> shown;
    for (const int files : {4, 400}) {
        const std::string folder = "tree" + std::to_string(files);
        tree(folder, files);
        CountingKitDlg window(context());
        window.show();
        prompts.folder = QString::fromStdString(dir.file(folder));
        QTest::mouseClick(window.button(CKitDlg::kRandom), Qt::LeftButton, {}, QPoint(5, 5));
        settle(window);
        EXPECT_FALSE(slot(0).isEmpty());
        shown.push_back(window.shown);
    }
    EXPECT_EQ(shown[0], shown[1]) << "the clock did not move, however many files were searched";
    EXPECT_LE(shown[1], 2);
}

TEST_F(KitEditor, SlicerFillsTheKitWithSixtyFourSlicesOrRefusesAShortFile)
{
    fill(1);
    prompts.path = QString::fromStdString(wave("short.wav", 127));
    prompts.folder = QString::fromStdString(dir.path());
    button(CKitDlg::kSlicer);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], "The file 'short.wav' is too short.");
    EXPECT_FALSE(slot(0).isEmpty());

    fs::create_directory(dir.file("slices"));
    prompts.path = QString::fromStdString(wave("loop.wav", 128));
    prompts.folder = QString::fromStdString(dir.file("slices"));
    button(CKitDlg::kSlicer);
    ASSERT_EQ(prompts.folderRequests.size(), 1u) << "a short file asks for no folder";
    EXPECT_EQ(prompts.folderRequests.back().second, QString::fromStdString(dir.path()))
        << "opens on the source's folder";
    EXPECT_EQ(slot(0).name, dir.file("slices/loop_kit01.wav"));
    EXPECT_EQ(slot(63).name, dir.file("slices/loop_kit64.wav"));
    EXPECT_EQ(slot(63).length(), 2u);
}

TEST_F(KitEditor, AKitThatCannotBeReadKeepsTheKitAndAFailedSaveSaysSo)
{
    fill(1);
    prompts.path = QString::fromStdString(dir.file("missing.kit"));
    button(CKitDlg::kLoad);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], "Error: unable to load the file:\n " + prompts.path);
    EXPECT_FALSE(slot(0).isEmpty());

    prompts.path = QString::fromStdString(dir.file("no/such/folder/drums.kit"));
    button(CKitDlg::kSave);
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[1], "Error: unable to save the file:\n " + prompts.path);

    prompts.path = QString::fromStdString(dir.file("drums.kit"));
    button(CKitDlg::kSave);
    EXPECT_EQ(folders.kitsFolder, dir.file("drums.kit"));
    prompts.answer = false;
    button(CKitDlg::kClear);
    EXPECT_FALSE(slot(0).isEmpty()) << "Cancel keeps the kit";
    prompts.answer = true;
    button(CKitDlg::kClear);
    EXPECT_TRUE(slot(0).isEmpty());
    button(CKitDlg::kLoad);
    EXPECT_EQ(slot(0).name, dir.file("s0.wav"));
}

} // namespace
