#include "core/audio/StemRender.h"
#include "core/audio/WaveExport.h"
#include "core/files/MidiExport.h"
#include "core/files/PatternFile.h"
#include "core/files/ProjectFile.h"
#include "core/io/WaveWriter.h"
#include "support/RunQuom.h"
#include "support/SoundFiles.h"
#include "support/TempDir.h"
#include "support/WaveBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>

namespace quom {
namespace {

// A 16-bit mono sample of a few hundred frames that does not repeat within a step.
std::vector<std::int16_t> sawtooth(int frames, int period)
{
    std::vector<std::int16_t> s;
    for (int i = 0; i < frames; ++i)
        s.push_back(static_cast<std::int16_t>((i % period) * 60000 / period - 30000));
    return s;
}

Grid paintedGrid()
{
    Grid g{};
    for (int c = 0; c < kColumns; c += 3)
        g[cellIndex(c, 0)] = makeCell(200, c * 4, c * 2);
    g[cellIndex(5, 5)] = makeCell(255, 128, 255);
    g[cellIndex(63, 5)] = makeCell(90, 0, 10); // still sounding when the pass ends
    return g;
}

// What the Export command writes for these cells and this kit.
std::vector<std::uint8_t> exported(
    const TempDir& dir, const Grid& cells, int tempo, std::shared_ptr<const CKit> kit, std::uint8_t mode)
{
    auto buffer = renderPass(cells, std::move(kit), {tempo, mode, 0.8f});
    EXPECT_TRUE(WriteWave16(dir.file("expected.wav"), buffer, 2));
    return dir.read("expected.wav");
}

struct Samples {
    std::string a;
    std::string b;
    std::shared_ptr<CKit> kit = std::make_shared<CKit>();

    explicit Samples(const TempDir& dir)
        : a(dir.file("a.wav"))
        , b(dir.file("b.wav"))
    {
        dir.write("a.wav", wavebytes::mono16(sawtooth(3000, 77)));
        dir.write("b.wav", wavebytes::mono16(sawtooth(500, 31)));
        kit->slot(0).name = a;
        EXPECT_TRUE(kit->slot(0).LoadWave(a));
        kit->slot(5).name = b;
        kit->slot(5).loop = true;
        EXPECT_TRUE(kit->slot(5).LoadWave(b));
    }
};

TEST(RenderCommand, ProjectPatternSoundsExactlyAsTheExportWouldWriteIt)
{
    TempDir dir;
    Samples samples(dir);
    ProjectFileData project;
    project.tempos[0] = 300;
    project.tempos[2] = 350;
    project.patterns[2] = paintedGrid();
    project.slots[0].name = samples.a;
    project.slots[5] = {samples.b, true, false, 0, 127, 0};
    ASSERT_TRUE(writeProjectFile(dir.file("song.qom"), project));

    const auto run = runQuom({"render", dir.file("song.qom"), "-o", dir.file("out.wav"), "--pattern", "3",
        "--interpolation", "quadratic"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(dir.read("out.wav"), exported(dir, project.patterns[2], 350, samples.kit, 2));

    // Pattern 1 by default, at its own tempo, linear: silent here, but a full pass long.
    ASSERT_EQ(runQuom({"render", dir.file("song.qom"), "-o", dir.file("one.wav")}).exitCode, 0);
    EXPECT_EQ(dir.read("one.wav").size(), 44u + 4u * passFrames(300));
}

TEST(RenderCommand, PatternFilePlaysAnEmptyKitUnlessAKitIsGiven)
{
    TempDir dir;
    Samples samples(dir);
    PatternFileData pattern;
    pattern.tempo = 340;
    pattern.cells = paintedGrid();
    ASSERT_TRUE(writePatternFile(dir.file("p.pat"), pattern));
    ASSERT_TRUE(samples.kit->Save(dir.file("k.kit")));

    ASSERT_EQ(runQuom({"render", dir.file("p.pat"), "-o", dir.file("empty.wav")}).exitCode, 0);
    const auto silent = dir.read("empty.wav");
    ASSERT_EQ(silent.size(), 44u + 4u * passFrames(340));
    for (std::size_t i = 44; i < silent.size(); ++i)
        ASSERT_EQ(silent[i], 0) << i;

    const auto run = runQuom({"render", dir.file("p.pat"), "--kit", dir.file("k.kit"), "-o",
        dir.file("kit.wav"), "--interpolation", "truncate"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(dir.read("kit.wav"), exported(dir, pattern.cells, 340, samples.kit, 0));
}

TEST(RenderCommand, KitFileReplacesTheProjectsKitAndUnreadableSamplesOnlyWarn)
{
    TempDir dir;
    Samples samples(dir);
    ProjectFileData project;
    project.tempos[0] = 350;
    project.patterns[0] = paintedGrid();
    project.slots[0].name = dir.file("missing.wav");
    project.slots[5].name = samples.b;
    ASSERT_TRUE(writeProjectFile(dir.file("song.qom"), project));

    auto run = runQuom({"render", dir.file("song.qom"), "-o", dir.file("warned.wav")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.find(dir.file("missing.wav") + ": cannot read the sample: No such file or directory\n"),
        std::string::npos)
        << run.err;
    EXPECT_TRUE(dir.exists("warned.wav"));

    ASSERT_TRUE(samples.kit->Save(dir.file("k.kit")));
    run = runQuom({"render", dir.file("song.qom"), "-o", dir.file("kit.wav"), "--kit", dir.file("k.kit")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, ""); // the project's missing sample is never read
    EXPECT_EQ(dir.read("kit.wav"), exported(dir, project.patterns[0], 350, samples.kit, 1));
}

TEST(RenderCommand, SamplesOfOtherRatesAndTypesPlayAsTheWindowPlaysThem)
{
    TempDir dir;
    dir.write("48k.wav",
        wavebytes::riffWave({wavebytes::fmtChunk(1, 16, 1, 48000),
            wavebytes::dataChunk(wavebytes::pcm16(sawtooth(3000, 77)))}));
    ASSERT_TRUE(soundfiles::write(dir.file("b.flac"), soundfiles::Type::Flac, 44100, sawtooth(500, 31)));
    ProjectFileData project;
    project.tempos[0] = 350;
    project.patterns[0] = paintedGrid();
    project.slots[0].name = dir.file("48k.wav");
    project.slots[5] = {dir.file("b.flac"), true, false, 0, 127, 0};
    ASSERT_TRUE(writeProjectFile(dir.file("song.qom"), project));
    const auto kitAt = [&](FileRate rate) {
        auto kit = std::make_shared<CKit>();
        kit->slot(0).name = dir.file("48k.wav");
        kit->slot(5).name = dir.file("b.flac");
        kit->slot(5).loop = true;
        EXPECT_TRUE(kit->loadSamples(rate).empty());
        return kit;
    };

    auto run = runQuom({"render", dir.file("song.qom"), "-o", dir.file("asIs.wav")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(dir.read("asIs.wav"), exported(dir, project.patterns[0], 350, kitAt(FileRate::AsIf44100), 1));

    run = runQuom({"render", dir.file("song.qom"), "--own-rate", "-o", dir.file("own.wav")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(dir.read("own.wav"), exported(dir, project.patterns[0], 350, kitAt(FileRate::Own), 1));
    EXPECT_NE(dir.read("own.wav"), dir.read("asIs.wav"));
}

TEST(RenderCommand, FailuresExitOneNamingTheFileAndWriteNothing)
{
    TempDir dir;
    PatternFileData pattern;
    ASSERT_TRUE(writePatternFile(dir.file("p.pat"), pattern));
    auto bytes = dir.read("p.pat");
    bytes.resize(bytes.size() - 1);
    dir.write("short.pat", bytes);
    dir.write("tone.wav", wavebytes::mono16({1, 2, 3}));

    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{dir.file("absent.pat")}, dir.file("absent.pat")},
        {{dir.file("tone.wav")}, dir.file("tone.wav")},
        {{dir.file("short.pat")}, dir.file("short.pat")},
        {{dir.file("p.pat"), "--pattern", "17"}, dir.file("p.pat")},
        {{dir.file("p.pat"), "--pattern", "0"}, dir.file("p.pat")},
        {{dir.file("p.pat"), "--kit", dir.file("absent.kit")}, dir.file("absent.kit")},
    };
    for (const auto& [extra, named] : cases) {
        std::vector<std::string> args{"render", "-o", dir.file("out.wav")};
        args.insert(args.end(), extra.begin(), extra.end());
        const auto run = runQuom(args);
        EXPECT_EQ(run.exitCode, 1) << named;
        EXPECT_NE(run.err.find(named), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_FALSE(dir.exists("out.wav")) << named;
    }

    const auto unwritable = runQuom({"render", dir.file("p.pat"), "-o", dir.file("no/such/folder/out.wav")});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_NE(unwritable.err.find(dir.file("no/such/folder/out.wav")), std::string::npos);
}

TEST(SongRenderCommand, PassesAndStemsOfAPatternAndASongOnlyWhereThereIsOne)
{
    TempDir dir;
    Samples samples(dir);
    ProjectFileData project;
    project.tempos[2] = 333;
    project.patterns[2] = paintedGrid();
    project.slots[0].name = samples.a;
    project.slots[5] = {samples.b, true, false, 0, 127, 0};
    ASSERT_TRUE(writeProjectFile(dir.file("p.qom"), project));

    auto run = runQuom({"render", dir.file("p.qom"), "-o", dir.file("two.wav"), "--pattern", "3", "--passes",
        "2", "--stems", dir.file("stems/new")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");

    // The core's render and stems of the same passes, as the command writes them.
    const std::array<Grid, 1> patterns{project.patterns[2]};
    const auto passes = patternPasses(0, 333, 2);
    auto mix = renderLoop(patterns, passes, samples.kit, {1, volumeGain(kDefaultVolume)});
    std::filesystem::create_directory(dir.file("expected"));
    const auto stems = writeStems(dir.file("expected"), patterns, passes, samples.kit,
        {1, volumeGain(kDefaultVolume)}, StemGrouping::Rows, StemFormat::Pcm16, mix);
    ASSERT_TRUE(stems.result);
    ASSERT_EQ(stems.files.size(), 2u);
    for (const std::string name : {"01-a.wav", "06-b.wav"})
        EXPECT_EQ(dir.read("stems/new/" + name), dir.read("expected/" + name)) << name;
    ASSERT_TRUE(WriteWave16(dir.file("expected.wav"), mix, 2));
    EXPECT_EQ(dir.read("two.wav"), dir.read("expected.wav"));
    EXPECT_EQ(dir.read("two.wav").size(), 44u + 4u * (64u * framesPerStep(333) + passFrames(333)));

    ASSERT_TRUE(writePatternFile(dir.file("p.pat"), PatternFileData{}));
    for (const auto& [input, why] : {std::pair{dir.file("p.qom"), "the project has no song"},
             std::pair{dir.file("p.pat"), "a pattern file holds no song"}}) {
        run = runQuom({"render", input, "--song", "-o", dir.file("song.wav")});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "quom render: " + input + ": " + why + "\n");
        EXPECT_FALSE(dir.exists("song.wav"));
    }
}

TEST(SongRenderCommand, ASongRendersAndExportsAsItsPassesAtEachPatternsTempo)
{
    TempDir dir;
    Samples samples(dir);
    ProjectFileData project;
    project.tempos[0] = 300;
    project.tempos[2] = 333;
    project.patterns[0][cellIndex(0, 5)] = makeCell(255, 128, 128);
    project.patterns[2] = paintedGrid();
    project.slots[0].name = samples.a;
    project.slots[5] = {samples.b, true, false, 0, 127, 0};
    project.song = {{2, 2}, {0, 1}};
    ASSERT_TRUE(writeProjectFile(dir.file("p.qom"), project));

    auto run = runQuom({"render", dir.file("p.qom"), "--song", "-o", dir.file("song.wav"), "--stems",
        dir.file("stems"), "--stem-format", "float"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto passes = songPasses(project.song, project.tempos, 1);
    ASSERT_EQ(passes.size(), 3u);
    auto mix = renderLoop(project.patterns, passes, samples.kit, {1, volumeGain(kDefaultVolume)});
    ASSERT_TRUE(WriteWave16(dir.file("expected.wav"), mix, 2));
    EXPECT_EQ(dir.read("song.wav"), dir.read("expected.wav"));
    std::filesystem::create_directory(dir.file("expected"));
    const auto stems = writeStems(dir.file("expected"), project.patterns, passes, samples.kit,
        {1, volumeGain(kDefaultVolume)}, StemGrouping::Rows, StemFormat::Float, mix);
    ASSERT_TRUE(stems.result);
    for (const std::string name : {"01-a.wav", "06-b.wav"})
        EXPECT_EQ(dir.read("stems/" + name), dir.read("expected/" + name)) << name;

    run = runQuom({"midi", dir.file("p.qom"), "--song", "-o", dir.file("song.mid")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    CKit kit;
    for (std::size_t i = 0; i < project.slots.size(); ++i)
        kit.slot(i).name = project.slots[i].name;
    ASSERT_TRUE(exportSongMidi(dir.file("expected.mid"), project.patterns, project.tempos, project.song, kit));
    EXPECT_EQ(dir.read("song.mid"), dir.read("expected.mid"));
}

TEST(RenderCommand, UsageErrorsExitTwo)
{
    TempDir dir;
    ASSERT_TRUE(writePatternFile(dir.file("p.pat"), PatternFileData{}));
    const std::string in = dir.file("p.pat");
    const std::string out = dir.file("out.wav");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"render"}, {"render", in}, {"render", "-o", out}, {"render", in, "-o"},
             {"render", in, "-o", out, "--interpolation", "cubic"},
             {"render", in, "-o", out, "--pattern", "two"}, {"render", in, "-o", out, "--loud"},
             {"render", in, in, "-o", out}, {"render", in, "-o", out, "--passes", "0"},
             {"render", in, "-o", out, "--passes", "100"},
             {"render", in, "-o", out, "--stems", dir.file("s"), "--stem-format", "24"},
             {"render", in, "-o", out, "--stem-groups", "blocks"}, // without --stems
         }) {
        EXPECT_EQ(runQuom(args).exitCode, 2) << args.size();
    }
    EXPECT_FALSE(dir.exists("out.wav"));
}

} // namespace
} // namespace quom
