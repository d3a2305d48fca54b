#include "core/audio/LoopRender.h"
#include "core/audio/WaveExport.h"
#include "core/io/WaveWriter.h"
#include "support/Instruments.h"
#include "support/SameSamples.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <random>
#include <vector>

namespace {

using namespace quom;

// Long looped and one-shot sounds in every row, so that every step that sounds runs to
// its very end and a voice would carry over any boundary it were not cut at.
std::shared_ptr<const CKit> ringingKit()
{
    auto kit = std::make_shared<CKit>();
    std::mt19937 gen(3);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    for (int s = 0; s < kKitSlots; ++s) {
        std::vector<float> data(30000 + 500 * static_cast<std::size_t>(s));
        for (auto& v : data)
            v = noise(gen);
        kit->slot(s) = instrumentOf(std::move(data), s % 2 == 0);
    }
    return kit;
}

std::array<Grid, kPatternSlots> paintedPatterns()
{
    std::array<Grid, kPatternSlots> patterns{};
    std::mt19937 gen(11);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> hundred(1, 100);
    for (auto& grid : patterns) {
        for (auto& cell : grid)
            cell = hundred(gen) <= 10 ? makeCell(byte(gen), byte(gen), byte(gen)) | 1 : 0;
        grid[cellIndex(kColumns - 1, 5)] = makeCell(255, 128, 128); // sounding as the pass ends
        grid[cellIndex(0, 6)] = makeCell(255, 128, 128); // and as the next begins
    }
    return patterns;
}

std::span<const float> frames(const std::vector<float>& buffer, std::size_t first, std::size_t count)
{
    return std::span(buffer).subspan(2 * first, 2 * count);
}

TEST(SongRender, SongIsEachPatternsPassesAtItsTempoOneAfterAnother)
{
    const auto kit = ringingKit();
    const auto patterns = paintedPatterns();
    std::array<std::int32_t, kPatternSlots> tempos{};
    tempos.fill(kDefaultTempo);
    // 333 and 120 BPM passes are a few frames longer than their 64 steps; 350 BPM is not.
    tempos[2] = 333;
    tempos[7] = 350;
    tempos[4] = 97;
    const Song song{{2, 1}, {7, 2}, {4, 1}};
    const LoopSettings settings{2, 0.6f};

    for (int passes : {1, 2}) {
        const auto order = songPasses(song, tempos, passes);
        ASSERT_EQ(order.size(), 4u * static_cast<std::size_t>(passes));
        const auto rendered = renderLoop(patterns, order, kit, settings, 3);
        ASSERT_EQ(rendered.size(), 2 * loopFrames(order));

        // Each pass holds the 64 steps of its pattern rendered alone; the render runs on
        // into the loop's first pass for as long as its last pass's full length.
        std::size_t at = 0;
        for (const LoopPass& pass : order) {
            const auto alone
                = renderPass(patterns[static_cast<std::size_t>(pass.pattern)], kit, {pass.tempo, 2, 0.6f});
            const std::size_t steps = kColumns * static_cast<std::size_t>(framesPerStep(pass.tempo));
            EXPECT_TRUE(sameSamples(frames(rendered, at, steps), frames(alone, 0, steps)))
                << "pass of pattern " << pass.pattern << " at frame " << at;
            at += steps;
        }
        const std::size_t runOn = passFrames(97) - kColumns * static_cast<std::size_t>(framesPerStep(97));
        ASSERT_GT(runOn, 0u);
        ASSERT_EQ(rendered.size(), 2 * (at + runOn));
        const auto first = renderPass(patterns[2], kit, {333, 2, 0.6f});
        EXPECT_TRUE(sameSamples(frames(rendered, at, runOn), frames(first, 0, runOn)));
    }
}

TEST(SongRender, PassesOfOnePatternStartWithTheExportedPass)
{
    const auto kit = ringingKit();
    const auto patterns = paintedPatterns();
    const auto pass = renderPass(patterns[0], kit, {120, 1, 0.5f});
    const auto three = renderLoop(std::span(patterns).first(1), patternPasses(0, 120, 3), kit, {1, 0.5f});
    const std::size_t steps = kColumns * static_cast<std::size_t>(framesPerStep(120));
    ASSERT_EQ(three.size(), 2 * (2 * steps + passFrames(120)));
    for (std::size_t n = 0; n < 2; ++n)
        EXPECT_TRUE(sameSamples(frames(three, n * steps, steps), frames(pass, 0, steps)));
    EXPECT_TRUE(sameSamples(frames(three, 2 * steps, passFrames(120)), pass));
}

TEST(SongRender, EmptySongIsSilenceOfItsLengthAndUnknownEntriesAreLeftOut)
{
    std::array<std::int32_t, kPatternSlots> tempos{};
    tempos.fill(350);
    tempos[3] = 0; // stored out of range: the slowest tempo
    const Song song{{0, 2}, {16, 1}, {-1, 1}, {3, 1}, {1, 0}, {2, 500}};
    const auto order = songPasses(song, tempos, 1);
    ASSERT_EQ(order.size(), 2u + 1u + 1u + 99u);
    EXPECT_EQ(order[2].tempo, 1);
    EXPECT_EQ(loopFrames(order), (2u + 1u + 99u) * passFrames(350) + passFrames(1));

    const std::array<Grid, kPatternSlots> empty{};
    const Song shortSong{{5, 3}, {9, 1}};
    const auto shortOrder = songPasses(shortSong, tempos, 1);
    auto buffer = renderLoop(empty, shortOrder, nullptr, {});
    ASSERT_EQ(buffer.size(), 2u * 4u * passFrames(350));
    for (float v : buffer)
        ASSERT_EQ(v, 0.0f);
    const auto wave = encodeWave16(buffer, 2);
    ASSERT_EQ(wave.size(), 44u + 4u * 4u * passFrames(350));

    EXPECT_TRUE(songPasses({}, tempos, 3).empty());
    EXPECT_EQ(loopFrames({}), 0u);
    EXPECT_TRUE(renderLoop(empty, {}, nullptr, {}).empty());
}

} // namespace
