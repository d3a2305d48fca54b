#include "core/sync/MidiClockLeader.h"

#include "core/model/Tempo.h"
#include "core/sync/MidiClock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using namespace quom;

struct Heard {
    std::int64_t frame;
    ClockMessage message;
};

// Renders blocks of varying length (as a device may give) and collects every message
// with its frame from the start.
std::vector<Heard> renderFrames(MidiClockLeader& leader, std::int64_t frames, int tempo, std::int64_t& now)
{
    std::vector<Heard> heard;
    const std::uint32_t blocks[] = {256, 64, 1, 333, 1024};
    for (int i = 0; frames > 0; ++i) {
        const auto block = static_cast<std::uint32_t>(std::min<std::int64_t>(frames, blocks[i % 5]));
        for (const ClockMessage& m : leader.render(block, tempo))
            heard.push_back({now + m.frame, m});
        now += block;
        frames -= block;
    }
    return heard;
}

std::vector<std::int64_t> pulseFrames(const std::vector<Heard>& heard)
{
    std::vector<std::int64_t> frames;
    for (const Heard& h : heard) {
        if (h.message.bytes[0] == kMidiClock)
            frames.push_back(h.frame);
    }
    return frames;
}

// Over an hour, every sixth pulse falls on the frame the engine starts a step (whole
// steps of framesPerStep frames, also at 120 where a step is not a whole number of
// 44100 Hz frames), and at 100 each beat of 24 pulses lasts exactly 0.6 s.
TEST(MidiClockLeader, SixPulsesAStepOnTheEnginesStepFramesWithoutDrift)
{
    for (const int tempo : {100, 120, kMaxTempo}) {
        SCOPED_TRACE(tempo);
        MidiClockLeader leader(1024);
        leader.start();
        std::int64_t now = 0;
        const std::int64_t step = framesPerStep(tempo);
        const std::int64_t steps = 44100LL * 3600 / step; // an hour
        const auto pulses = pulseFrames(renderFrames(leader, steps * step, tempo, now));
        ASSERT_EQ(static_cast<std::int64_t>(pulses.size()), steps * kPulsesPerStep);
        for (std::size_t k = 0; k < pulses.size(); k += kPulsesPerStep)
            ASSERT_EQ(pulses[k], static_cast<std::int64_t>(k / kPulsesPerStep) * step) << k;
        for (std::size_t k = 1; k < pulses.size(); ++k)
            ASSERT_GE(pulses[k] - pulses[k - 1], step / kPulsesPerStep) << k;
        EXPECT_FALSE(leader.overflowed());
        if (tempo == 100) {
            for (std::size_t k = 0; k < pulses.size(); k += kPulsesPerQuarter)
                ASSERT_EQ(pulses[k], static_cast<std::int64_t>(k / kPulsesPerQuarter) * 26460);
        }
    }
}

TEST(MidiClockLeader, StartStopAndContinueFromAStep)
{
    MidiClockLeader leader(512);
    std::int64_t now = 0;
    EXPECT_TRUE(renderFrames(leader, 10000, 100, now).empty()) << "silent until started";

    leader.start();
    auto heard = renderFrames(leader, 6615, 100, now);
    ASSERT_EQ(heard.size(), 7u);
    EXPECT_EQ(heard[0].message, (ClockMessage{0, 1, {kMidiStart, 0, 0}}));
    EXPECT_EQ(heard[0].frame, 10000);
    EXPECT_EQ(heard[1].frame, 10000) << "the first pulse is the downbeat";
    EXPECT_TRUE(leader.playing());

    leader.stop();
    heard = renderFrames(leader, 20000, 100, now);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].message.bytes[0], kMidiStop);
    EXPECT_FALSE(leader.playing());
    leader.stop();
    EXPECT_TRUE(renderFrames(leader, 100, 100, now).empty()) << "Stop once";

    leader.continueFrom(200);
    const std::int64_t from = now;
    heard = renderFrames(leader, 6615, 100, now);
    ASSERT_EQ(heard.size(), 8u);
    EXPECT_EQ(heard[0].message, (ClockMessage{0, 3, {kMidiSongPosition, 200 & 0x7F, 200 >> 7}}));
    EXPECT_EQ(heard[1].message.bytes[0], kMidiContinue);
    EXPECT_EQ(heard[2].frame, from);

    leader.continueFrom(kSongPositionSteps + 5);
    heard = renderFrames(leader, 1, 100, now);
    EXPECT_EQ(heard[0].message, (ClockMessage{0, 3, {kMidiSongPosition, 5, 0}})) << "14 bits, wrapped";
}

// A faster tempo from the middle of a step ends it at once, as the engine does: the
// pulses it had left go out with its end, so every step still sends six.
TEST(MidiClockLeader, ATempoChangeMidStepKeepsSixPulsesAStep)
{
    MidiClockLeader leader(8192);
    leader.start();
    std::int64_t now = 0;
    auto pulses = pulseFrames(renderFrames(leader, 4000, 40, now));
    const auto more = pulseFrames(renderFrames(leader, 100000, kMaxTempo, now));
    pulses.insert(pulses.end(), more.begin(), more.end());
    const std::int64_t fast = framesPerStep(kMaxTempo);
    const std::int64_t pulse = fast / kPulsesPerStep; // a whole number of frames at 350
    EXPECT_EQ(static_cast<std::int64_t>(pulses.size()), kPulsesPerStep + (100000 + pulse - 1) / pulse);
    ASSERT_GE(pulses.size(), 12u);
    for (std::size_t k = 2; k < 6; ++k)
        EXPECT_EQ(pulses[k], 4000) << "the slow step's last pulses";
    for (std::size_t k = 6; k < pulses.size(); ++k)
        ASSERT_EQ(pulses[k], 4000 + static_cast<std::int64_t>(k - 6) * pulse);
}

} // namespace
