#include "support/RunQuom.h"
#include "support/TempDir.h"
#include "support/WaveBytes.h"
#include "ui/controls/FakePrompts.h"
#include "ui/main/MainWindowParts.h"
#include "ui/main/PatternView.h"
#include "ui/main/StemChoiceDlg.h"

#include <QApplication>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

using namespace quom;

namespace {

// The window's exports with the song on against what quom render and quom midi write
// for the project the window saves: a song of patterns at their own tempos.
class SongExports : public ::testing::Test {
protected:
    SongExports()
    {
        std::vector<std::int16_t> saw;
        for (int i = 0; i < 3000; ++i)
            saw.push_back(static_cast<std::int16_t>((i % 77) * 60000 / 77 - 30000));
        dir.write("a.wav", wavebytes::mono16(saw));
        auto kit = std::make_shared<CKit>();
        for (const int row : {0, 21}) {
            kit->slot(row).name = dir.file("a.wav");
            EXPECT_TRUE(kit->slot(row).LoadWave(kit->slot(row).name));
        }
        kit->slot(21).loop = true;
        parts.project.setKit(kit);
        for (int c = 0; c < kColumns; c += 3)
            patterns[2][cellIndex(c, 0)] = makeCell(200, static_cast<std::uint8_t>(c * 4), 60);
        patterns[2][cellIndex(63, 21)] = makeCell(90, 0, 10); // rings on past the pass
        patterns[0][cellIndex(5, 21)] = makeCell(255, 128, 128);

        window = std::make_unique<CQuomDlg>(parts.context());
        auto fake = std::make_unique<FakePrompts>();
        prompts = fake.get();
        window->setPrompts(std::move(fake));
        window->show();
    }

    // The patterns (2 at 333 BPM, 6 at 97, the rest at 300) and song into the window's
    // project, the song on, and the project saved for the command line.
    void openSong()
    {
        Project& project = parts.project;
        project.replaceCells(patterns[0]);
        project.setPatternTempo(300);
        for (int i = 1; i < kPatternSlots; ++i) {
            project.model().setSlot(i, patterns[static_cast<std::size_t>(i)]);
            project.model().setTempo(i, i == 2 ? 333 : i == 6 ? 97 : 300);
        }
        ASSERT_EQ(project.setSong(song), "");
        parts.transport.playSong();
        ASSERT_TRUE(project.saveProject(dir.file("p.qom")));
    }

    // Export stems into folder (made unless it is "gone"), with the choices choose makes;
    // then what quom render writes with options into "cli-" folder, when options are given.
    void exportStems(const std::string& folder, const std::function<void(StemChoiceDlg&)>& choose,
        std::vector<std::string> options = {})
    {
        if (folder != "gone")
            std::filesystem::create_directories(dir.file(folder));
        prompts->folder = QString::fromStdString(dir.file(folder));
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<StemChoiceDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            choose(*dialog);
            dialog->accept();
        });
        window->runCommand(CommandId::ExportStems);
        if (options.empty())
            return;
        options.insert(options.begin(),
            {"render", dir.file("p.qom"), "--song", "-o", dir.file("mix.wav"), "--stems",
                dir.file("cli-" + folder)});
        const auto run = runQuom(options);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        for (const auto& entry : std::filesystem::directory_iterator(dir.file("cli-" + folder))) {
            const std::string name = entry.path().filename().string();
            EXPECT_EQ(dir.read(folder + "/" + name), dir.read("cli-" + folder + "/" + name)) << name;
        }
    }

    QString file(const std::string& name) { return QString::fromStdString(dir.file(name)); }

    TempDir dir;
    std::array<Grid, kPatternSlots> patterns{};
    const Song song{{2, 2}, {0, 1}};
    MainWindowParts parts{dir.path() + "/"};
    std::unique_ptr<CQuomDlg> window;
    FakePrompts* prompts = nullptr;
};

TEST_F(SongExports, ExportAndExportMidiWriteTheCommandLinesSong)
{
    openSong();
    prompts->path = file("song.wav");
    window->runCommand(CommandId::Export);
    EXPECT_EQ(window->view().statusText(), "Wave file exported: " + file("song.wav"));
    EXPECT_FALSE(parts.engine.mutedForExport());
    prompts->path = file("song.mid");
    window->runCommand(CommandId::ExportMidi);

    const auto wave = runQuom({"render", dir.file("p.qom"), "--song", "-o", dir.file("cli.wav")});
    ASSERT_EQ(wave.exitCode, 0) << wave.err;
    EXPECT_EQ(dir.read("song.wav"), dir.read("cli.wav"));
    const auto midi = runQuom({"midi", dir.file("p.qom"), "--song", "-o", dir.file("cli.mid")});
    ASSERT_EQ(midi.exitCode, 0) << midi.err;
    EXPECT_EQ(dir.read("song.mid"), dir.read("cli.mid"));
}

TEST_F(SongExports, StemsAreTheCommandLinesInTheFilesAndFormatChosenWhichAreKept)
{
    openSong();
    exportStems("rows", [](StemChoiceDlg&) {}, {"--stem-format", "16"});
    EXPECT_EQ(window->view().statusText(), "Stems exported: 2 files in " + file("rows"));

    const auto blocksInFloat = [](StemChoiceDlg& d) {
        d.perBlockButton().setChecked(true);
        d.floatButton().setChecked(true);
    };
    exportStems("blocks", blocksInFloat, {"--stem-groups", "blocks", "--stem-format", "float"});
    EXPECT_TRUE(dir.exists("blocks/rows-17-32.wav"));
    EXPECT_EQ(parts.settings.stemFiles, 1);
    EXPECT_EQ(parts.settings.stemFormat, 0);

    exportStems("gone", [](StemChoiceDlg&) {});
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_NE(prompts->messages[0].indexOf(file("gone")), -1) << prompts->messages[0].toStdString();
}

} // namespace
