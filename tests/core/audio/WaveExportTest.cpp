#include "core/audio/WaveExport.h"
#include "support/Instruments.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace quom;

std::shared_ptr<CKit> kitWithSlot0(std::vector<float> data, bool loop)
{
    auto kit = std::make_shared<CKit>();
    kit->slot(0) = instrumentOf(std::move(data), loop);
    return kit;
}

TEST(WaveExport, OnePassIsSixtyFourStepsAtTheTempo)
{
    EXPECT_EQ(passFrames(120), 352800u);
    EXPECT_EQ(passFrames(350), 120960u);
    EXPECT_EQ(passFrames(1), 42336000u);
    EXPECT_EQ(passFrames(0), 42336000u); // a file's tempo of 0 renders as the slowest the slider allows
    EXPECT_EQ(passFrames(350), 64u * static_cast<std::uint32_t>(Engine::samplesPerStepAt(350)));
}

TEST(WaveExport, EmptyPatternGivesSilenceOfTheFullLength)
{
    LiveGrid grid;
    const auto buffer = renderPass(grid, nullptr, {350});
    ASSERT_EQ(buffer.size(), 2u * 120960u);
    for (float v : buffer)
        ASSERT_EQ(v, 0.0f);
}

TEST(WaveExport, PassSoundsLikeTheFirstLoopOfPlaybackAndEndsWithoutATail)
{
    LiveGrid grid;
    grid.set(0, 0, makeCell(255, 90, 40));
    grid.set(63, 0, makeCell(200, 0, 200)); // still sounding at the end of the pass
    std::vector<float> tone(50000);
    for (std::size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<float>(i % 100) / 100.0f - 0.5f;
    auto kit = kitWithSlot0(tone, true);

    const auto pass = renderPass(grid, kit, {300, 2, 0.8f});
    const std::uint32_t frames = passFrames(300);
    ASSERT_EQ(pass.size(), 2u * frames);
    EXPECT_NE(pass[2 * (frames - 1)], 0.0f);

    // The same engine played in small blocks gives the same bits.
    TempoValue tempo(300);
    Engine live;
    live.setPattern(&grid);
    live.setTempoSource(&tempo);
    live.setKit(kit);
    live.setInterpolation(std::uint8_t{2});
    live.setGain(0.8f);
    live.Reset();
    live.setPlaying(true);
    std::vector<float> played(pass.size());
    for (std::uint32_t done = 0; done < frames; done += 512)
        live.Render(std::min(512u, frames - done), played.data() + 2 * done);
    EXPECT_EQ(played, pass);
}

TEST(WaveExport, ExportFromTheLiveEngineLeavesItStoppedAndReset)
{
    LiveGrid grid;
    grid.set(0, 0, makeCell(255, 0, 128));
    TempoValue tempo(350);
    Engine live;
    live.setPattern(&grid);
    live.setTempoSource(&tempo);
    live.setKit(kitWithSlot0(std::vector<float>(10000, 0.5f), false));
    live.setGain(0.5f);
    live.Reset();
    live.setPlaying(true);
    std::vector<float> out(2 * 3000);
    live.Render(3000, out.data());
    ASSERT_EQ(live.currentColumn(), 1);

    const auto pass = renderPassOf(live, 350);
    EXPECT_EQ(pass[0], 0.25f); // the live engine's gain
    EXPECT_FALSE(live.playing());
    EXPECT_FALSE(live.offlineRender());
    live.setPlaying(true);
    live.Render(1, out.data());
    EXPECT_EQ(live.currentColumn(), 0);
    EXPECT_EQ(out[0], 0.25f);
}

} // namespace
