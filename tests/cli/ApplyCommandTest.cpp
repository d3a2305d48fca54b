#include "core/edit/Drum.h"
#include "core/edit/Transforms.h"
#include "core/files/PatternFile.h"
#include "core/generators/Automaton.h"
#include "core/generators/ColorCurves.h"
#include "core/generators/MutateColors.h"
#include "core/generators/Random.h"
#include "core/generators/RandomPattern.h"
#include "core/generators/WaveSequence.h"
#include "support/RunQuom.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quom {
namespace {

PatternFileData samplePattern()
{
    PatternFileData pattern;
    pattern.tempo = 97;
    for (int i = 0; i < kCells; i += 3)
        pattern.cells[i] = makeCell(i % 256, (i * 7) % 256, (i / 16) % 256);
    return pattern;
}

PatternFileData readBack(const std::string& path)
{
    const auto read = readPatternFile(path);
    EXPECT_TRUE(read) << path;
    return read ? *read : PatternFileData{};
}

TEST(ApplyCommand, RunsTheOperationsInOrderFromTheSeedAndKeepsTheTempo)
{
    TempDir dir;
    ASSERT_TRUE(writePatternFile(dir.file("in.pat"), samplePattern()));
    const auto run = runQuom({"apply", dir.file("in.pat"), "-o", dir.file("out.pat"), "--seed", "42", "revx",
        "rotate-cw", "scroll=3,-2", "offset=+10,-5,0", "shuffle-rows", "shuffle-columns", "shuffle-cells",
        "random=add,gradient,0x00FF00,255,30,20", "automaton", "revy", "rotate-ccw"});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    Grid expected = samplePattern().cells;
    srand(42);
    reverseX(expected);
    rotateQuarterTurns(expected, 1);
    scroll(expected, 3, -2);
    offsetColours(expected, 10, -5, 0);
    shuffleRows(expected);
    shuffleColumns(expected);
    shuffleCells(expected);
    RandomSettings settings;
    settings.operation = RandomOperation::Add;
    settings.color1 = makeCell(0, 255, 0);
    settings.color2 = makeCell(255, 0, 0);
    settings.density = 30;
    settings.variation = 20;
    paintRandomPattern(expected, settings);
    evolve(expected);
    reverseY(expected);
    rotateQuarterTurns(expected, -1);

    const PatternFileData out = readBack(dir.file("out.pat"));
    EXPECT_EQ(out.tempo, 97);
    EXPECT_EQ(out.cells, expected);
}

TEST(ApplyCommand, ColorGeneratorsMatchTheCoreAndDrawInTurn)
{
    TempDir dir;
    ASSERT_TRUE(writePatternFile(dir.file("in.pat"), samplePattern()));
    const auto run = runQuom({"apply", dir.file("in.pat"), "-o", dir.file("out.pat"), "--seed", "9",
        "shuffle-rows", "waveseq=sh,3,40,10,5,0x00FF00,16711680,1,0", "mutate=30,0,100,77",
        "curves=+50,-20,0,010", "waveseq=triangle,9,64,63,0,0,0,0,1", "shuffle-cells"});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    Grid expected = samplePattern().cells;
    srand(9);
    shuffleRows(expected);
    drawWaveSequence(expected,
        {Wave::SampleAndHold, 3, 40, 10, 5, makeCell(0, 255, 0), 0xFF0000, true, false}, drawWaveRandoms());
    srand(77);
    mutateCells(expected, 30, 0, 100);
    expected = withColorCurves(expected, {{50, -20, 0}, {false, true, false}});
    // Black draws erase; the 64 values are drawn even though a triangle reads none.
    drawWaveSequence(expected, {Wave::Triangle, 9, 64, 63, 0, 0, 0, false, true}, drawWaveRandoms());
    shuffleCells(expected);
    EXPECT_EQ(readBack(dir.file("out.pat")).cells, expected);
}

TEST(ApplyCommand, KeepsATempoFieldBeyondTheSlidersRangeAsRead)
{
    TempDir dir;
    auto bytes = encodePatternFile(samplePattern());
    const std::vector<std::uint8_t> tempo{0xF0, 0xFF, 0x01, 0x80};
    std::copy(tempo.begin(), tempo.end(), bytes.begin() + 12);
    dir.write("in.pat", bytes);
    ASSERT_EQ(runQuom({"apply", dir.file("in.pat"), "-o", dir.file("out.pat"), "revx", "revx"}).exitCode, 0);
    EXPECT_EQ(dir.read("out.pat"), bytes);
}

TEST(ApplyCommand, WithoutASeedTheGeneratorStartsFromStateOne)
{
    TempDir dir;
    ASSERT_TRUE(writePatternFile(dir.file("in.pat"), samplePattern()));
    ASSERT_EQ(runQuom({"apply", dir.file("in.pat"), "-o", dir.file("a.pat"), "drum"}).exitCode, 0);
    ASSERT_EQ(
        runQuom({"apply", dir.file("in.pat"), "-o", dir.file("b.pat"), "--seed", "1", "drum"}).exitCode, 0);

    Grid expected{};
    srand(1);
    makeDrumPattern(expected);
    EXPECT_EQ(readBack(dir.file("a.pat")).cells, expected);
    EXPECT_EQ(readBack(dir.file("b.pat")).cells, expected);
}

TEST(ApplyCommand, HexColorsAreRedFirstAndDecimalColorsAreCellWords)
{
    TempDir dir;
    ASSERT_TRUE(writePatternFile(dir.file("in.pat"), samplePattern()));
    ASSERT_EQ(runQuom({"apply", dir.file("in.pat"), "-o", dir.file("hex.pat"), "clear",
                          "random=replace,single,0x112233,0,100,0"})
                  .exitCode,
        0);
    const Grid hex = readBack(dir.file("hex.pat")).cells;
    EXPECT_TRUE(std::all_of(hex.begin(), hex.end(), [](Cell c) { return c == makeCell(0x11, 0x22, 0x33); }));

    ASSERT_EQ(runQuom({"apply", dir.file("in.pat"), "-o", dir.file("word.pat"),
                          "random=replace,single,1193046,0,100,0"})
                  .exitCode,
        0);
    const Grid word = readBack(dir.file("word.pat")).cells;
    EXPECT_TRUE(std::all_of(word.begin(), word.end(), [](Cell c) { return c == 0x123456u; }));
}

TEST(ApplyCommand, UsageErrorsWriteNothing)
{
    TempDir dir;
    ASSERT_TRUE(writePatternFile(dir.file("in.pat"), samplePattern()));
    const std::string in = dir.file("in.pat");
    const std::string out = dir.file("out.pat");
    const std::vector<std::vector<std::string>> bad{
        {"apply", in, "-o", out, "flip"},
        {"apply", in, "-o", out, "revx", "scroll=1"},
        {"apply", in, "-o", out, "scroll=1,x"},
        {"apply", in, "-o", out, "offset=1,2,3,4"},
        {"apply", in, "-o", out, "random=replace,single,0x1000000,0,5,0"},
        {"apply", in, "-o", out, "random=replace,single,16777216,0,5,0"},
        {"apply", in, "-o", out, "random=replace,single,0,0,101,0"},
        {"apply", in, "-o", out, "random=swap,single,0,0,5,0"},
        {"apply", in, "-o", out, "random=add,gradient,0,0,5"},
        {"apply", in, "-o", out, "mutate=101,0,0,1"},
        {"apply", in, "-o", out, "mutate=10,10,10,4294967296"},
        {"apply", in, "-o", out, "curves=51,0,0,000"},
        {"apply", in, "-o", out, "curves=0,0,0,012"},
        {"apply", in, "-o", out, "waveseq=saw,1,64,0,0,0,0,0,0"},
        {"apply", in, "-o", out, "waveseq=sine,1,1,0,0,0,0,0,0"},
        {"apply", in, "-o", out, "waveseq=sine,1,64,64,0,0,0,0,0"},
        {"apply", in, "-o", out, "waveseq=sine,1,64,0,0,0,0,0"},
        {"apply", in, "-o", out, "--seed", "-3", "drum"},
        {"apply", in, "-o", out},
        {"apply", in, "drum"},
        {"apply", "-o", out, "drum"},
        {"apply", in, "-o"},
    };
    for (const auto& args : bad) {
        const auto run = runQuom(args);
        EXPECT_EQ(run.exitCode, 2) << args.back();
        EXPECT_FALSE(run.err.empty());
    }
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"in.pat"});
}

TEST(ApplyCommand, AnUnreadableInputIsNamedOnOneLine)
{
    TempDir dir;
    dir.write("short.pat", std::string("PATT"));
    for (const std::string name : {"missing.pat", "short.pat"}) {
        const auto run = runQuom({"apply", dir.file(name), "-o", dir.file("out.pat"), "revx"});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find(dir.file(name)), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
    }
    EXPECT_FALSE(dir.exists("out.pat"));
}

} // namespace
} // namespace quom
