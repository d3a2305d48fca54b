#include "core/edit/Drum.h"
#include "core/edit/Transforms.h"
#include "core/files/PatternFile.h"
#include "core/generators/Automaton.h"
#include "core/generators/CameraBlend.h"
#include "core/generators/CellFilter.h"
#include "core/generators/ColorCurves.h"
#include "core/generators/MutateColors.h"
#include "core/generators/RandomPattern.h"
#include "core/generators/WaveSequence.h"
#include "core/random/Random.h"
#include "support/RunQuom.h"
#include "support/TempDir.h"

#include <QImage>

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
    seedRandom(42);
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
    seedRandom(9);
    shuffleRows(expected);
    drawWaveSequence(expected,
        {Wave::SampleAndHold, 3, 40, 10, 5, makeCell(0, 255, 0), 0xFF0000, true, false}, drawWaveRandoms());
    seedRandom(77);
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
    seedRandom(1);
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
        {"apply", in, "-o", out, "filter=" + in + ",alpha,50"},
        {"apply", in, "-o", out, "filter=" + in + ",3,50"},
        {"apply", in, "-o", out, "filter=" + in + ",red,0"},
        {"apply", in, "-o", out, "filter=" + in + ",red,101"},
        {"apply", in, "-o", out, "filter=,red,50"},
        {"apply", in, "-o", out, "camera=" + in + ",some,0,0,0"},
        {"apply", in, "-o", out, "camera=" + in + ",all,0,0,101"},
        {"apply", in, "-o", out, "camera=" + in + ",all,0,0"},
        // The usage error wins over the file that is missing before it.
        {"apply", in, "-o", out, "filter=/nonexistent.png,red,50", "revz"},
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
    ASSERT_TRUE(writePatternFile(dir.file("in.pat"), samplePattern()));
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::white);
    ASSERT_TRUE(picture.save(QString::fromStdString(dir.file("picture.pat")), "PNG"));
    const std::string in = dir.file("in.pat");
    const std::vector<std::pair<std::string, std::vector<std::string>>> unreadable{
        {"missing.pat", {"revx"}},
        {"short.pat", {"revx"}},
        {"short.pat", {"filter=" + dir.file("short.pat") + ",red,50"}},
        {"missing.png", {"filter=" + dir.file("missing.png") + ",green,50"}},
        {"picture.pat", {"filter=" + dir.file("picture.pat") + ",blue,50"}},
        {"missing.png", {"camera=" + dir.file("missing.png") + ",all,1,2,3"}},
        {"short.pat", {"camera=" + dir.file("short.pat") + ",all,1,2,3"}},
    };
    for (const auto& [name, operations] : unreadable) {
        std::vector<std::string> args{
            "apply", operations[0] == "revx" ? dir.file(name) : in, "-o", dir.file("out.pat")};
        args.insert(args.end(), operations.begin(), operations.end());
        const auto run = runQuom(args);
        EXPECT_EQ(run.exitCode, 1) << operations[0];
        EXPECT_NE(run.err.find(dir.file(name)), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_FALSE(dir.exists("out.pat"));
}

// A filter file is a pattern only when it ends in exactly ".pat"; a camera frame is
// always a picture, shrunk as the window shrinks a frame.
TEST(ApplyCommand, FiltersAndCameraFramesComeFromFilesAsInTheWindows)
{
    TempDir dir;
    const PatternFileData pattern = samplePattern();
    ASSERT_TRUE(writePatternFile(dir.file("in.pat"), pattern));
    PatternFileData mask;
    for (int i = 0; i < kCells; ++i)
        mask.cells[i] = makeCell(i % 200, 255 - i % 256, 40);
    ASSERT_TRUE(writePatternFile(dir.file("mask.pat"), mask));
    QImage picture(32, 32, QImage::Format_RGB32);
    picture.fill(QColor(0, 128, 255));
    picture.setPixelColor(0, 0, Qt::black);
    ASSERT_TRUE(picture.save(QString::fromStdString(dir.file("frame.PAT")), "PNG"));

    const auto run = runQuom({"apply", dir.file("in.pat"), "-o", dir.file("out.pat"),
        "filter=" + dir.file("mask.pat") + ",green,70", "filter=" + dir.file("frame.PAT") + ",2,100",
        "camera=" + dir.file("frame.PAT") + ",black,100,50,0",
        "camera=" + dir.file("frame.PAT") + ",2,10,20,30"});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    Grid frame{};
    frame.fill(makeCell(0, 128, 255));
    for (int column = 0; column < 2; ++column) {
        for (int row = 0; row < 2; ++row)
            frame[cellIndex(column, row)] = 0;
    }
    Grid expected = pattern.cells;
    applyCellFilter(expected, mask.cells, 1, 70);
    applyCellFilter(expected, frame, 2, 100);
    expected = blendFrame(expected, frame, {CameraMode::BlackCells, 100, 50, 0});
    expected = blendFrame(expected, frame, {CameraMode::PaintedCells, 10, 20, 30});
    EXPECT_EQ(readBack(dir.file("out.pat")).cells, expected);
}

} // namespace
} // namespace quom
