#include "ReferenceEngine.h"

#include "core/audio/Engine.h"
#include "support/Instruments.h"
#include "support/SameSamples.h"

#include <gtest/gtest.h>

#include <bit>
#include <limits>
#include <memory>
#include <random>
#include <vector>

namespace {

using namespace quom;

void fillSlot(CKit& kit, int slot, std::vector<float> data, bool loop = false, bool fade = false)
{
    kit.slot(slot) = instrumentOf(std::move(data), loop, fade);
}

struct Rig {
    LiveGrid grid;
    TempoValue tempo{120};
    Engine engine;
    std::shared_ptr<CKit> kit = std::make_shared<CKit>();

    Rig()
    {
        engine.setPattern(&grid);
        engine.setTempoSource(&tempo);
    }
    void play()
    {
        engine.setKit(kit);
        engine.Reset();
        engine.setPlaying(true);
    }
    std::vector<float> render(std::uint32_t frames)
    {
        std::vector<float> out(2 * frames, -9.0f);
        engine.Render(frames, out.data());
        return out;
    }
};

float left(const std::vector<float>& out, std::size_t frame)
{
    return out[2 * frame];
}
float right(const std::vector<float>& out, std::size_t frame)
{
    return out[2 * frame + 1];
}

TEST(Engine, EmptyPatternIsSilentWhileTheColumnAdvancesEveryStep)
{
    Rig rig;
    EXPECT_EQ(rig.engine.currentColumn(), -1);
    EXPECT_EQ(rig.engine.SamplesPerStep(), 0);
    rig.play();
    auto out = rig.render(1);
    EXPECT_EQ(rig.engine.SamplesPerStep(), 5512);
    EXPECT_EQ(rig.engine.currentColumn(), 0);
    const auto more = rig.render(5511);
    out.insert(out.end(), more.begin(), more.end());
    EXPECT_EQ(rig.engine.currentColumn(), 0);
    rig.render(1);
    EXPECT_EQ(rig.engine.currentColumn(), 1);
    const auto rest = rig.render(62 * 5512);
    EXPECT_EQ(rig.engine.currentColumn(), 63);
    rig.render(5512);
    EXPECT_EQ(rig.engine.currentColumn(), 0); // loops over all 64 columns
    for (float v : out)
        ASSERT_EQ(v, 0.0f);
    for (float v : rest)
        ASSERT_EQ(v, 0.0f);
}

TEST(Engine, StepLengthFollowsTheTempoAndNeverDividesByZero)
{
    EXPECT_EQ(framesPerStep(120), 5512);
    EXPECT_EQ(framesPerStep(350), 1890);
    EXPECT_EQ(framesPerStep(0), 661500);
    EXPECT_EQ(framesPerStep(-5), 661500);
    EXPECT_EQ(framesPerStep(1000), 1890);

    Rig rig;
    rig.play();
    rig.render(10);
    rig.tempo.set(0);
    rig.render(10);
    EXPECT_EQ(rig.engine.SamplesPerStep(), 661500);
}

TEST(Engine, NoteStartsOnTheFirstFrameAndIsCutAtTheStepEnd)
{
    Rig rig;
    fillSlot(*rig.kit, 3, std::vector<float>(40000, 0.5f));
    rig.grid.set(0, 3, makeCell(255, 0, 128)); // hard left
    rig.grid.set(2, 3, makeCell(255, 255, 128)); // hard right
    rig.play();
    const auto out = rig.render(3 * 5512);
    EXPECT_EQ(left(out, 0), 0.5f);
    EXPECT_EQ(right(out, 0), 0.0f);
    EXPECT_EQ(left(out, 5511), 0.5f);
    EXPECT_EQ(left(out, 5512), 0.0f); // the sample is longer than a step, column 1 is empty
    EXPECT_EQ(left(out, 2 * 5512), 0.0f);
    EXPECT_EQ(right(out, 2 * 5512), 0.5f);
}

TEST(Engine, MasterGainScalesAndCentrePanHalvesEachSide)
{
    Rig rig;
    fillSlot(*rig.kit, 0, std::vector<float>(100, 1.0f));
    rig.grid.set(0, 0, makeCell(255, 0, 128));
    rig.grid.set(0, 1, makeCell(0, 77, 200)); // red 0: a note, but silent
    fillSlot(*rig.kit, 1, std::vector<float>(100, 1.0f));
    rig.engine.setGain(0.8f);
    rig.play();
    const auto out = rig.render(4);
    EXPECT_EQ(left(out, 0), 0.8f);
    EXPECT_EQ(right(out, 0), 0.0f);

    Rig centre;
    fillSlot(*centre.kit, 0, std::vector<float>(100, 1.0f));
    centre.grid.set(0, 0, makeCell(255, 255 / 2 + 1, 0));
    centre.play();
    const auto c = centre.render(1);
    EXPECT_FLOAT_EQ(left(c, 0) + right(c, 0), 1.0f);
    EXPECT_NEAR(left(c, 0), 0.5f, 0.003f);
}

TEST(Engine, BlueSetsThePlaybackRatio)
{
    Rig rig;
    std::vector<float> ramp(1000);
    for (std::size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<float>(i) / 1000.0f;
    fillSlot(*rig.kit, 0, ramp);
    fillSlot(*rig.kit, 1, ramp);
    rig.grid.set(0, 0, makeCell(255, 0, 0)); // half speed, left
    rig.grid.set(0, 1, makeCell(255, 255, 255)); // 1.5 times, right
    rig.play();
    const auto out = rig.render(11);
    EXPECT_FLOAT_EQ(left(out, 10), 0.005f);
    EXPECT_FLOAT_EQ(right(out, 10), 0.015f);
    EXPECT_FLOAT_EQ(left(out, 3), 0.0015f); // between two frames: interpolated
}

TEST(Engine, LoopingSampleWrapsAndNonLoopingFallsSilentAtItsEnd)
{
    Rig rig;
    std::vector<float> steps(10);
    for (int i = 0; i < 10; ++i)
        steps[i] = static_cast<float>(i + 1);
    fillSlot(*rig.kit, 0, steps, true);
    fillSlot(*rig.kit, 1, steps, false);
    rig.grid.set(0, 0, makeCell(255, 0, 0)); // ratio 0.5, left
    rig.grid.set(0, 1, makeCell(255, 255, 0)); // ratio 0.5, right
    rig.engine.setInterpolation(Interpolation::Truncate);
    rig.play();
    const auto out = rig.render(60);
    for (int f = 0; f < 60; ++f) {
        EXPECT_EQ(left(out, f), static_cast<float>((f / 2) % 10 + 1)) << f;
        EXPECT_EQ(right(out, f), f < 20 ? static_cast<float>(f / 2 + 1) : 0.0f) << f;
    }
}

TEST(Engine, FadeRampsTheFirstTwentyAndLastNineteenFramesOfAStep)
{
    Rig rig;
    fillSlot(*rig.kit, 0, std::vector<float>(10000, 1.0f), false, true);
    rig.grid.set(5, 0, makeCell(255, 0, 128));
    rig.play();
    rig.render(5 * 5512);
    const auto out = rig.render(5512);
    for (int c = 0; c < 20; ++c)
        EXPECT_EQ(left(out, c), static_cast<float>(c) / 20.0f) << c;
    EXPECT_EQ(left(out, 20), 1.0f);
    EXPECT_EQ(left(out, 5512 - 20), 1.0f);
    for (int c = 5512 - 19; c < 5512; ++c)
        EXPECT_EQ(left(out, c), static_cast<float>(5512 - c) / 20.0f) << c;
}

TEST(Engine, LastColumnStopsAtTheLoopPointAndEmptySlotsAreSilent)
{
    Rig rig;
    fillSlot(*rig.kit, 0, std::vector<float>(100000, 0.25f), true);
    rig.grid.set(63, 0, makeCell(255, 0, 128));
    for (int r = 1; r < kRows; ++r)
        rig.grid.set(0, r, makeCell(255, 128, 128)); // slots without samples
    rig.play();
    const auto out = rig.render(65 * 5512);
    for (int f = 0; f < 63 * 5512; ++f)
        ASSERT_EQ(left(out, f), 0.0f) << f;
    EXPECT_EQ(left(out, 63 * 5512), 0.25f);
    EXPECT_EQ(left(out, 64 * 5512 - 1), 0.25f);
    for (int f = 64 * 5512; f < 65 * 5512; ++f)
        ASSERT_EQ(left(out, f), 0.0f) << f;
}

TEST(Engine, StoppingFreezesAndRestartingBeginsAtColumnZero)
{
    Rig rig;
    std::vector<float> noise(20000);
    std::mt19937 gen(7);
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    for (auto& v : noise)
        v = u(gen);
    fillSlot(*rig.kit, 0, noise);
    for (int c = 0; c < kColumns; ++c)
        rig.grid.set(c, 0, makeCell(200, c * 4, c * 3));
    rig.play();
    const auto first = rig.render(3000);
    rig.render(9000);
    EXPECT_EQ(rig.engine.currentColumn(), 2);

    rig.engine.setPlaying(false);
    for (float v : rig.render(500))
        ASSERT_EQ(v, 0.0f);
    EXPECT_EQ(rig.engine.currentColumn(), 2);

    rig.engine.Reset();
    rig.engine.setPlaying(true);
    EXPECT_EQ(rig.render(3000), first);
    EXPECT_EQ(rig.engine.currentColumn(), 0);
}

TEST(Engine, PreviewWhileStoppedIgnoresTheGainAndLastsOneStepOnceKnown)
{
    Rig rig;
    fillSlot(*rig.kit, 9, std::vector<float>(30000, 0.5f));
    rig.engine.setKit(rig.kit);
    rig.engine.setGain(0.25f);

    // Before any block has played, the step length is unknown: no limit.
    rig.engine.StartPreview(9, makeCell(255, 0, 128));
    auto out = rig.render(20000);
    EXPECT_EQ(left(out, 0), 0.5f);
    EXPECT_EQ(left(out, 19999), 0.5f);
    rig.engine.StopPreview();
    EXPECT_EQ(left(rig.render(1), 0), 0.0f);

    rig.engine.Reset();
    rig.engine.setPlaying(true);
    rig.render(1);
    rig.engine.setPlaying(false);
    rig.engine.StartPreview(9, makeCell(255, 0, 128));
    out = rig.render(6000);
    EXPECT_EQ(left(out, 5511), 0.5f);
    EXPECT_EQ(left(out, 5512), 0.0f);

    // While playing the preview goes through the master gain.
    rig.engine.setPlaying(true);
    rig.engine.StartPreview(9, makeCell(255, 0, 128));
    EXPECT_EQ(left(rig.render(1), 0), 0.125f);
}

TEST(Engine, RequestsApplyInTheOrderTheyWereMade)
{
    Rig rig;
    fillSlot(*rig.kit, 0, std::vector<float>(100, 1.0f));
    rig.engine.setKit(rig.kit);
    rig.engine.StartPreview(0, makeCell(255, 0, 128));
    rig.engine.Reset();
    EXPECT_EQ(left(rig.render(1), 0), 0.0f);

    rig.engine.Reset();
    rig.engine.StartPreview(0, makeCell(255, 0, 128));
    rig.engine.StartPreview(64, makeCell(255, 255, 128)); // no such slot: ignored
    EXPECT_EQ(left(rig.render(1), 0), 1.0f);
}

TEST(Engine, UnknownInterpolationModeSilencesEveryVoice)
{
    Rig rig;
    fillSlot(*rig.kit, 0, std::vector<float>(100, 1.0f));
    rig.grid.set(0, 0, makeCell(255, 0, 128));
    rig.engine.setInterpolation(std::uint8_t{3});
    rig.play();
    for (float v : rig.render(50))
        ASSERT_EQ(v, 0.0f);
}

// The fast path against the per-frame definition, on random kits, patterns,
// tempos, gains, modes and buffer sizes, with stops, restarts and previews.
TEST(Engine, MatchesThePerFrameDefinitionBitForBit)
{
    std::mt19937 gen(20240611);
    auto pick = [&gen](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); };
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    const std::vector<int> lengths{0, 1, 2, 3, 4, 7, 64, 500, 2500, 9000};
    // Every fourth trial some samples hold NaNs of both signs and several payloads,
    // infinities, values whose sums overflow a float, signed zeros and subnormals. A
    // NaN matches any NaN: which one's bits an operation passes on follows the
    // compiler's operand order and vectorisation, in the reference as in the engine.
    constexpr float kInf = std::numeric_limits<float>::infinity();
    const std::vector<float> specials{-std::numeric_limits<float>::quiet_NaN(),
        std::numeric_limits<float>::quiet_NaN(), std::bit_cast<float>(0x7fc12345u), kInf, -kInf, 3.0e38f,
        -3.0e38f, -0.0f, 1.0e-40f};

    for (int trial = 0; trial < 24; ++trial) {
        auto kit = std::make_shared<CKit>();
        for (int s = 0; s < kKitSlots; ++s) {
            std::vector<float> data(static_cast<std::size_t>(lengths[pick(0, lengths.size() - 1)]));
            const bool special = trial % 4 == 3 && s % 8 == 0;
            for (auto& v : data)
                v = special && pick(0, 99) == 0 ? specials[pick(0, specials.size() - 1)] : unit(gen);
            fillSlot(*kit, s, std::move(data), pick(0, 2) == 0, pick(0, 2) == 0);
        }
        Grid cells{};
        const int density = pick(0, 100);
        for (auto& c : cells) {
            if (pick(1, 100) <= density)
                c = makeCell(pick(0, 3) == 0 ? 0 : pick(0, 255), pick(0, 255), pick(0, 255));
        }

        Rig rig;
        rig.grid.assign(cells);
        rig.engine.setKit(kit);
        ReferenceEngine ref(cells, *kit);

        auto setTempo = [&](int t) {
            rig.tempo.set(t);
            ref.tempo = t;
        };
        auto setMode = [&](std::uint8_t m) {
            rig.engine.setInterpolation(m);
            ref.mode = m;
        };
        setTempo(pick(0, 3) == 0 ? pick(250, 350) : pick(60, 350));
        setMode(static_cast<std::uint8_t>(pick(0, 2)));
        const float gain = static_cast<float>(pick(0, 100)) / 100.0f;
        rig.engine.setGain(gain);
        ref.gain = gain;
        rig.engine.Reset();
        ref.Reset();
        rig.engine.setPlaying(true);
        ref.playing = true;

        const int budget = trial == 0 ? 64 * 1890 + 5000 : 40000;
        int rendered = 0;
        while (rendered < budget) {
            const int frames = pick(0, 4) == 0 ? pick(1, 16) : pick(100, 5000);
            std::vector<float> fast(2 * frames);
            std::vector<float> slow(2 * frames);
            rig.engine.Render(frames, fast.data());
            ref.Render(frames, slow.data());
            ASSERT_TRUE(sameSamples(fast, slow)) << "trial " << trial << " after " << rendered << " frames";
            rendered += frames;

            switch (pick(0, 12)) {
            case 0:
                setTempo(pick(60, 350));
                break;
            case 1:
                setMode(static_cast<std::uint8_t>(pick(0, 2)));
                break;
            case 2: {
                const int slot = pick(0, 63);
                const Cell color = makeCell(pick(0, 255), pick(0, 255), pick(0, 255));
                rig.engine.StartPreview(slot, color);
                ref.StartPreview(slot, color);
                break;
            }
            case 3:
                rig.engine.setPlaying(!rig.engine.playing());
                ref.playing = rig.engine.playing();
                if (ref.playing) {
                    rig.engine.Reset();
                    ref.Reset();
                }
                break;
            default:
                break;
            }
        }
    }
}

TEST(Engine, QueuedSwitchLandsOnTheWrapFrameAtTheNewPatternsTempo)
{
    Rig rig;
    rig.tempo.set(350);
    const int stepA = framesPerStep(350);
    fillSlot(*rig.kit, 3, std::vector<float>(100000, 0.5f));
    fillSlot(*rig.kit, 5, std::vector<float>(100000, 0.25f));
    rig.grid.set(63, 5, makeCell(255, 0, 128)); // the last step of the first pattern
    LiveGrid next;
    next.set(0, 3, makeCell(255, 0, 128));
    TempoValue nextTempo{175};
    const int stepB = framesPerStep(175);
    rig.play();
    rig.engine.queueSwitch(&next, &nextTempo);
    EXPECT_TRUE(rig.engine.switchQueued());

    // Odd blocks, so that the wrap falls inside one.
    const std::size_t wrap = 64 * static_cast<std::size_t>(stepA);
    std::vector<float> out;
    while (out.size() < 2 * (wrap + 2 * stepB)) {
        const auto block = rig.render(997);
        out.insert(out.end(), block.begin(), block.end());
    }
    EXPECT_EQ(left(out, 0), 0.0f) << "playing from the first step is no wrap";
    EXPECT_EQ(left(out, wrap - 1), 0.25f);
    EXPECT_EQ(left(out, wrap), 0.5f);
    EXPECT_EQ(left(out, wrap + stepB - 1), 0.5f);
    EXPECT_EQ(left(out, wrap + stepB), 0.0f) << "the switched-to pattern's first step at its own tempo";
    EXPECT_EQ(rig.engine.switchesLanded(), 1u);
    EXPECT_EQ(rig.engine.pattern(), &next);
    EXPECT_EQ(rig.engine.tempoSource(), &nextTempo);
    EXPECT_FALSE(rig.engine.cancelSwitch()) << "landed: nothing left to withdraw";

    // A request withdrawn before its wrap never lands.
    rig.engine.queueSwitch(&rig.grid, &rig.tempo);
    EXPECT_TRUE(rig.engine.cancelSwitch());
    rig.render(64 * static_cast<std::uint32_t>(stepB));
    EXPECT_EQ(rig.engine.switchesLanded(), 1u);
    EXPECT_EQ(rig.engine.pattern(), &next);
}

} // namespace
