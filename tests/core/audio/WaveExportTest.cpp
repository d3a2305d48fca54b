#include "core/audio/WaveExport.h"
#include "support/Instruments.h"
#include "support/SameSamples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace {

using namespace quom;

std::shared_ptr<CKit> kitWithSlot0(std::vector<float> data, bool loop)
{
    auto kit = std::make_shared<CKit>();
    kit->slot(0) = instrumentOf(std::move(data), loop);
    return kit;
}

// Slots of every kind: from one frame to two seconds (longer than 40 steps at the
// fastest tempo), looped, faded, both, and empty.
std::shared_ptr<const CKit> variedKit()
{
    auto kit = std::make_shared<CKit>();
    std::mt19937 gen(7);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    for (int s = 0; s < kKitSlots; ++s) {
        if (s % 8 == 7)
            continue;
        std::vector<float> data(1 + 1400 * static_cast<std::size_t>(s));
        for (auto& v : data)
            v = noise(gen);
        kit->slot(s) = instrumentOf(std::move(data), s % 2 == 1, s % 4 >= 2);
    }
    return kit;
}

void paintRandomly(Grid& grid, int percent)
{
    std::mt19937 gen(static_cast<unsigned>(percent));
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> hundred(1, 100);
    for (auto& cell : grid)
        cell = hundred(gen) <= percent ? makeCell(byte(gen), byte(gen), byte(gen)) | 1 : 0;
}

// The pass as one offline engine renders it in one call.
std::vector<float> oneEnginePass(const Grid& grid, std::shared_ptr<const CKit> kit, const PassSettings& s)
{
    TempoValue tempo(s.tempo);
    Engine engine(grid);
    engine.setTempoSource(&tempo);
    engine.setKit(std::move(kit));
    engine.setInterpolation(s.interpolation);
    engine.setGain(s.gain);
    engine.Reset();
    std::vector<float> out(2 * static_cast<std::size_t>(passFrames(s.tempo)));
    engine.Render(passFrames(s.tempo), out.data());
    return out;
}

TEST(WaveExport, OnePassIsSixtyFourStepsAtTheTempo)
{
    EXPECT_EQ(passFrames(120), 352800u);
    EXPECT_EQ(passFrames(350), 120960u);
    EXPECT_EQ(passFrames(1), 42336000u);
    EXPECT_EQ(passFrames(0), 42336000u); // a file's tempo of 0 renders as the slowest the slider allows
    EXPECT_EQ(passFrames(350), 64u * static_cast<std::uint32_t>(framesPerStep(350)));
}

TEST(WaveExport, EmptyPatternGivesSilenceOfTheFullLength)
{
    const auto buffer = renderPass(Grid{}, nullptr, {350});
    ASSERT_EQ(buffer.size(), 2u * 120960u);
    for (float v : buffer)
        ASSERT_EQ(v, 0.0f);
}

TEST(WaveExport, PassSoundsLikeTheFirstLoopOfPlaybackAndEndsWithoutATail)
{
    Grid grid{};
    grid[cellIndex(0, 0)] = makeCell(255, 90, 40);
    grid[cellIndex(63, 0)] = makeCell(200, 0, 200); // still sounding at the end of the pass
    std::vector<float> tone(50000);
    for (std::size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<float>(i % 100) / 100.0f - 0.5f;
    auto kit = kitWithSlot0(tone, true);

    const auto pass = renderPass(grid, kit, {300, 2, 0.8f});
    const std::uint32_t frames = passFrames(300);
    ASSERT_EQ(pass.size(), 2u * frames);
    EXPECT_NE(pass[2 * (frames - 1)], 0.0f);

    // A live engine playing the pattern in small blocks gives the same bits.
    LiveGrid cells;
    cells.assign(grid);
    TempoValue tempo(300);
    Engine live;
    live.setPattern(&cells);
    live.setTempoSource(&tempo);
    live.setKit(kit);
    live.setInterpolation(std::uint8_t{2});
    live.setGain(0.8f);
    live.Reset();
    live.setPlaying(true);
    std::vector<float> played(pass.size());
    for (std::uint32_t done = 0; done < frames; done += 512)
        live.Render(std::min(512u, frames - done), played.data() + 2 * done);
    EXPECT_TRUE(sameSamples(played, pass));
}

TEST(WaveExport, ColumnsRenderedOnSeveralThreadsGiveTheBitsOfOneEngine)
{
    // 120 and 333 BPM end a few frames into column 0 again; 1 and 350 BPM are the
    // slowest and the fastest.
    EXPECT_LT(64u * static_cast<std::uint32_t>(framesPerStep(120)), passFrames(120));
    EXPECT_LT(64u * static_cast<std::uint32_t>(framesPerStep(333)), passFrames(333));
    const struct {
        int tempo;
        int percent;
        std::vector<std::uint8_t> modes;
    } cases[] = {{120, 100, {0, 1, 2}}, {120, 20, {0, 1, 2}}, {333, 100, {0, 1, 2}}, {350, 100, {0, 1, 2}},
        {350, 5, {0, 1, 2}}, {1, 2, {2}}};
    const auto kit = variedKit();
    for (const auto& c : cases) {
        Grid grid{};
        paintRandomly(grid, c.percent);
        for (const std::uint8_t mode : c.modes) {
            const PassSettings settings{c.tempo, mode, 0.7f};
            const auto expected = oneEnginePass(grid, kit, settings);
            ASSERT_TRUE(std::any_of(expected.begin(), expected.end(), [](float v) { return v != 0.0f; }));
            for (int threads : {1, 2, 3})
                EXPECT_TRUE(sameSamples(renderPass(grid, kit, settings, threads), expected))
                    << c.tempo << " BPM, " << c.percent << "% painted, mode " << int{mode} << ", " << threads
                    << " threads";
        }
    }
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
    EXPECT_FALSE(live.mutedForExport());
    live.setPlaying(true);
    live.Render(1, out.data());
    EXPECT_EQ(live.currentColumn(), 0);
    EXPECT_EQ(out[0], 0.25f);
}

} // namespace
