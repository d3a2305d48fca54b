#include "core/files/PatternFile.h"
#include "support/RunQuom.h"
#include "support/TempDir.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace {

TEST(Cli, HelpListsTheSubCommandsAndVersionNamesTheProgram)
{
    const auto help = runQuom({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("quom info"), std::string::npos);

    const auto version = runQuom({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "Quom 1.1\n");
}

TEST(Cli, UsageErrors)
{
    EXPECT_EQ(runQuom({"info"}).exitCode, 2);

    // Neither a sub-command nor a file: a mistyped command, not a window to open.
    const auto word = runQuom({"rendr", "x.qom"});
    EXPECT_EQ(word.exitCode, 2);
    EXPECT_EQ(word.err, "quom: 'rendr' is neither a sub-command nor a file (see quom --help)\n");
}

TEST(Cli, WithoutADisplayTheWindowExplainsInOneLine)
{
    const auto run = runQuom({}, {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "quom: no display to open the window on (the sub-commands run without one)\n");
}

// Under `ulimit -f` a write past the limit is a failed write like any other: reported,
// the previous file kept and no temporary file left, in quom and in quom-window alike.
TEST(Cli, AWritePastTheFileSizeLimitFailsWithoutLeavingATemporaryFile)
{
    TempDir dir;
    quom::PatternFileData pattern;
    pattern.cells.fill(quom::makeCell(200, 128, 60));
    ASSERT_TRUE(quom::writePatternFile(dir.file("in.pat"), pattern));
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QString::fromStdString(dir.file("in.png")), "PNG"));
    const std::string previous = "the previous file";
    dir.write("kept.pat", previous);
    const std::string kept = dir.file("kept.pat");
    constexpr std::uint64_t kLimit = 4096; // below a pattern file, let alone a wave file

    for (const auto& args : std::vector<std::vector<std::string>>{
             {"apply", dir.file("in.pat"), "-o", kept, "revx"}, {"import", dir.file("in.png"), "-o", kept},
             {"render", dir.file("in.pat"), "-o", dir.file("out.wav")}}) {
        const auto run = runQuom(args, {}, kLimit);
        EXPECT_EQ(run.exitCode, 1) << args[0];
        EXPECT_NE(run.err.find(args[3]), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("File too large"), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(dir.entries(), (std::vector<std::string>{"in.pat", "in.png", "kept.pat"})) << args[0];
        EXPECT_EQ(dir.read("kept.pat"), std::vector<std::uint8_t>(previous.begin(), previous.end()));
    }
}

TEST(Cli, EveryInputThatIsAFifoOrADeviceIsRefusedAtOnce)
{
    // Without a limit each of these would wait for a writer or read until memory ran out:
    // the test's time limit is the bound.
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir.file("zero"));
    ASSERT_TRUE(quom::writePatternFile(dir.file("in.pat"), {}));
    const std::string in = dir.file("in.pat");
    for (const std::string& input : {dir.file("fifo"), dir.file("zero")}) {
        for (const std::vector<std::string>& args :
            std::vector<std::vector<std::string>>{{"info", input, "--json"},
                {"render", input, "-o", dir.file("out.wav")}, {"midi", input, "-o", dir.file("out.mid")},
                {"render", in, "--kit", input, "-o", dir.file("out.wav")},
                {"apply", input, "-o", dir.file("out.pat"), "revx"},
                {"apply", in, "-o", dir.file("out.pat"), "filter=" + input + ",green,70"},
                {"apply", in, "-o", dir.file("out.pat"), "camera=" + input + ",black,100,50,0"},
                {"import", input, "-o", dir.file("out.pat")}, {"slice", input, "-o", dir.file("slices")}}) {
            const auto run = runQuom(args);
            EXPECT_EQ(run.exitCode, 1) << args[0] << " " << run.err;
            EXPECT_NE(run.err.find(input + " is not a regular file"), std::string::npos) << run.err;
        }
        EXPECT_FALSE(
            dir.exists("out.wav") || dir.exists("out.mid") || dir.exists("out.pat") || dir.exists("slices"));
    }
}

} // namespace
