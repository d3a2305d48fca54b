#include "core/kit/Slicer.h"
#include "support/RunQuom.h"
#include "support/TempDir.h"
#include "support/WaveBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>

namespace quom {
namespace {

struct SliceCommand : ::testing::Test {
    SliceCommand() { dir.write("song.wav", wavebytes::mono16(std::vector<std::int16_t>(200, 1000))); }
    TempDir dir;
};

TEST_F(SliceCommand, WritesTheSlicesIntoANewFolderAndTheirKit)
{
    const auto run
        = runQuom({"slice", dir.file("song.wav"), "-o", dir.file("a/b//"), "--kit", dir.file("s.kit")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");

    CKit kit;
    const auto loaded = kit.Load(dir.file("s.kit"), quom::FileRate::AsIf44100);
    ASSERT_TRUE(loaded.opened);
    EXPECT_TRUE(loaded.failedSamples.empty());
    for (int i = 0; i < kKitSlots; ++i) {
        EXPECT_EQ(kit.slot(i).name, slicePaths("song.wav", dir.file("a/b"))[i]);
        EXPECT_FALSE(kit.slot(i).loop || kit.slot(i).fade);
        EXPECT_EQ(kit.slot(i).length(), i % 8 == 7 ? 4u : 3u) << i; // 200 / 64 = 25 / 8
    }
}

TEST_F(SliceCommand, OwnRateSlicesTheSoundAsItPlaysAtItsOwnRate)
{
    dir.write("48k.wav",
        wavebytes::riffWave({wavebytes::fmtChunk(1, 16, 1, 48000),
            wavebytes::dataChunk(wavebytes::pcm16(std::vector<std::int16_t>(4800, 1000)))}));
    const auto totalOf = [&](const std::vector<std::string>& args) {
        EXPECT_EQ(runQuom(args).exitCode, 0);
        CKit kit;
        EXPECT_TRUE(kit.Load(dir.file("s.kit"), FileRate::AsIf44100).failedSamples.empty());
        std::uint32_t frames = 0;
        for (int i = 0; i < kKitSlots; ++i)
            frames += kit.slot(i).length();
        return frames;
    };
    EXPECT_EQ(
        totalOf({"slice", dir.file("48k.wav"), "-o", dir.file("as"), "--kit", dir.file("s.kit")}), 4800u);
    EXPECT_EQ(totalOf({"slice", dir.file("48k.wav"), "--own-rate", "-o", dir.file("own"), "--kit",
                  dir.file("s.kit")}),
        4410u);
}

TEST_F(SliceCommand, RefusalsExitOneWithOneLineAndWriteNothing)
{
    dir.write("short.wav", wavebytes::mono16(std::vector<std::int16_t>(127, 1000)));
    dir.write("text.wav", std::string("not a wave"));
    dir.write("file", std::string("in the way"));
    std::filesystem::create_directories(dir.file("blocked/song_kit33.wav"));

    auto run = runQuom({"slice", dir.file("short.wav"), "-o", dir.file("out"), "--kit", dir.file("s.kit")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "The file 'short.wav' is too short.\n");
    for (const auto& [input, folder, named] : std::vector<std::array<std::string, 3>>{
             {"absent.wav", "out", "absent.wav"},
             {"text.wav", "out", "text.wav"},
             {"song.wav", "file/out", "file/out"},
             {"song.wav", "blocked", "blocked/song_kit33.wav"},
         }) {
        run = runQuom({"slice", dir.file(input), "-o", dir.file(folder), "--kit", dir.file("s.kit")});
        EXPECT_EQ(run.exitCode, 1) << named;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_NE(run.err.find(dir.file(named)), std::string::npos) << run.err;
    }
    EXPECT_FALSE(dir.exists("out") || dir.exists("s.kit"));
    EXPECT_FALSE(dir.exists("blocked/song_kit01.wav"));

    run = runQuom({"slice", dir.file("song.wav"), "-o", dir.file("out"), "--kit", dir.file("no/s.kit")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(dir.file("no/s.kit")), std::string::npos) << run.err;
}

TEST_F(SliceCommand, MalformedCommandsAreUsageErrors)
{
    const std::string in = dir.file("song.wav"), out = dir.file("out");
    for (const auto& args : std::vector<std::vector<std::string>>{{"slice"}, {"slice", in},
             {"slice", "-o", out}, {"slice", in, "-o"}, {"slice", in, "-o", out, "--kit"},
             {"slice", in, "-o", out, "--loud"}, {"slice", in, in, "-o", out}}) {
        const auto run = runQuom(args);
        EXPECT_EQ(run.exitCode, 2) << args.size();
        EXPECT_EQ(run.err.rfind("usage: quom slice", 0), 0u) << run.err;
    }
    EXPECT_FALSE(dir.exists("out"));
}

} // namespace
} // namespace quom
