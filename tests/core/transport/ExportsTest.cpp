#include "core/transport/Exports.h"

#include "core/audio/WaveExport.h"
#include "core/io/WaveReader.h"
#include "core/io/WaveWriter.h"
#include "support/Instruments.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace quom;

class ExportsTest : public ::testing::Test {
protected:
    ExportsTest()
    {
        auto kit = std::make_shared<CKit>();
        std::vector<float> saw;
        for (int i = 0; i < 3000; ++i)
            saw.push_back(static_cast<float>(i % 77) / 77.0f - 0.5f);
        kit->slot(2) = instrumentOf(saw);
        project.setKit(kit);
    }

    TempDir dir;
    Project project;
    Transport transport{project};
};

TEST_F(ExportsTest, ThePatternExportsTheLiveEnginesBitsOnceStoredAndAStoppedOneNothing)
{
    project.selectPattern(3);
    for (int c = 0; c < kColumns; c += 5)
        project.model().current().set(c, 2, makeCell(200, static_cast<std::uint8_t>(c * 4), 90));
    project.setTempo(173);
    transport.engine().setGain(0.37f);
    transport.play();

    std::vector<float> pass = renderPassOf(transport.engine(), 173);
    ASSERT_TRUE(WriteWave16(dir.file("before.wav"), pass, 2));
    const ExportJob job = takeExport(project, transport);
    EXPECT_FALSE(transport.playing());
    EXPECT_EQ(project.model().slot(3), project.model().current().snapshot());
    std::atomic<bool> stop{false};
    ASSERT_TRUE(writeExportWave(dir.file("pattern.wav"), job, &stop));
    EXPECT_EQ(dir.read("pattern.wav"), dir.read("before.wav"));

    stop = true;
    const WriteResult wave = writeExportWave(dir.file("stopped.wav"), job, &stop);
    EXPECT_EQ(wave.error, dir.file("stopped.wav") + ": the export was stopped");
    EXPECT_FALSE(dir.exists("stopped.wav"));
    const StemsWritten stems
        = writeExportStems(dir.path(), job, StemGrouping::Rows, StemFormat::Pcm16, &stop);
    EXPECT_TRUE(stems.stopped);
    EXPECT_FALSE(dir.exists("03-test.wav"));
}

TEST_F(ExportsTest, ASongOfEmptyPatternsIsSilenceOfItsLengthAndOneTooLongIsToldFirst)
{
    project.model().setTempo(6, 97);
    ASSERT_EQ(project.setSong({{6, 3}, {0, 1}}), "");
    transport.playSong(); // pattern 7 shows
    ASSERT_TRUE(writeExportWave(dir.file("silent.wav"), takeExport(project, transport)));
    const auto wave = readWave(dir.file("silent.wav"));
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->samples.size(), 3 * 64 * framesPerStep(97) + passFrames(kDefaultTempo));
    EXPECT_TRUE(std::ranges::all_of(wave->samples, [](float s) { return s == 0.0f; }));

    // 25 passes of 42336000 frames: within 4 GiB at 4 bytes a frame, not at 8.
    project.setTempo(1);
    ASSERT_EQ(project.setSong({{6, 25}}), "");
    ExportJob job = takeExport(project, transport);
    EXPECT_TRUE(fitsWaveFile(job, StemFormat::Pcm16));
    EXPECT_FALSE(fitsWaveFile(job, StemFormat::Float));
    ASSERT_EQ(project.setSong({{6, 25}, {6, 1}}), "");
    EXPECT_FALSE(fitsWaveFile(takeExport(project, transport), StemFormat::Pcm16));
}

} // namespace
