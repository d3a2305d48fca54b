#include "core/audio/MidiOutFeed.h"
#include "core/audio/Engine.h"
#include "core/audio/HeldNotes.h"
#include "core/audio/QueueClock.h"
#include "core/sync/MidiClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace quom {
namespace {

constexpr int kRate = 44100;

// A live engine with a painted pattern, its blocks handed to a feed as the audio callback
// does, on a host clock that starts at 5 s.
struct FedEngine {
    LiveGrid grid;
    TempoValue tempo{150};
    Engine engine;
    MidiOutFeed feed;
    std::uint64_t played = 0;
    std::vector<float> out;

    // Every rowStep-th row of every columnStep-th column painted.
    explicit FedEngine(int rowStep = 5, int columnStep = 3)
    {
        for (int row = 0; row < kRows; row += rowStep)
            for (int column = 0; column < kColumns; column += columnStep)
                grid.set(column, row, makeCell(200, 128, 128));
        engine.setPattern(&grid);
        engine.setTempoSource(&tempo);
        feed.setEnabled(true);
    }

    std::int64_t hostNanos(std::uint64_t frame) const { return 5'000'000'000 + frameNanos(frame, kRate); }

    void render(std::uint32_t frames)
    {
        out.assign(2 * static_cast<std::size_t>(frames), 0.0f);
        feed.beforeRender(engine, nullptr);
        engine.Render(frames, out.data());
        // Whole microseconds, as a back-end hands them over.
        feed.afterRender(engine, {played, frames, hostNanos(played) / 1000, kRate});
        played += frames;
    }
    void renderUpTo(std::uint64_t frames)
    {
        constexpr std::uint32_t kSizes[] = {441, 64, 1000, 4999, 256};
        for (int i = 0; played < frames; ++i)
            render(static_cast<std::uint32_t>(std::min<std::uint64_t>(kSizes[i % 5], frames - played)));
    }
    std::vector<TimedMidiMessage> taken()
    {
        std::vector<TimedMidiMessage> all(MidiOutFeed::kCapacity);
        all.resize(feed.take(all));
        return all;
    }
};

bool isClock(const TimedMidiMessage& m)
{
    return m.bytes[0] >= 0xF0;
}

TEST(MidiOutFeed, StepsAndClockPulsesAreDueWhenTheirFramesAreHeard)
{
    FedEngine fed;
    fed.feed.setClockOut(true);
    fed.engine.setPlaying(true);
    const int step = framesPerStep(150);
    fed.renderUpTo(static_cast<std::uint64_t>(15) * step + 100); // 15 steps, then the 16th's start
    const std::vector<TimedMidiMessage> sent = fed.taken();

    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front().bytes[0], kMidiStart) << "Start comes before the first step's notes";
    EXPECT_TRUE(std::is_sorted(
        sent.begin(), sent.end(), [](const auto& a, const auto& b) { return a.heardNanos < b.heardNanos; }));
    std::vector<std::int64_t> pulses;
    std::vector<std::int64_t> noteOns;
    for (const TimedMidiMessage& m : sent) {
        if (m.bytes[0] == kMidiClock)
            pulses.push_back(m.heardNanos);
        if ((m.bytes[0] & 0xF0) == 0x90) {
            EXPECT_EQ(m.size, 3);
            noteOns.push_back(m.heardNanos);
        }
    }
    ASSERT_EQ(pulses.size(), 16u * kPulsesPerStep - 5) << "15 steps, and the 16th step's first pulse";
    for (std::size_t j = 0; j < pulses.size(); ++j) {
        const auto frame = static_cast<std::uint32_t>(j / 6 * step + (j % 6) * step / 6);
        // The block's time is whole microseconds: at most one off.
        EXPECT_NEAR(pulses[j], fed.hostNanos(frame), 1000) << j;
    }
    // Columns 0, 3, ... 15 hold notes: each step's notes are due on its first pulse.
    EXPECT_FALSE(noteOns.empty());
    for (std::int64_t at : noteOns)
        EXPECT_NE(std::find(pulses.begin(), pulses.end(), at), pulses.end());
    EXPECT_EQ(fed.feed.dropped(), 0u);

    // Stop: Stop, then the sounding notes end, at the next block's first frame.
    fed.engine.setPlaying(false);
    const std::int64_t stopped = fed.hostNanos(fed.played) / 1000 * 1000;
    fed.render(256);
    const std::vector<TimedMidiMessage> ending = fed.taken();
    ASSERT_GE(ending.size(), 2u);
    EXPECT_EQ(ending.front().bytes[0], kMidiStop);
    for (const TimedMidiMessage& m : ending) {
        EXPECT_EQ(m.heardNanos, stopped);
        EXPECT_TRUE(isClock(m) || (m.bytes[0] & 0xF0) == 0x80);
    }
}

TEST(MidiOutFeed, SendsNothingUnlessEnabledAndNoClockUnlessAskedOrWhileFollowing)
{
    FedEngine fed;
    fed.feed.setEnabled(false);
    fed.feed.setClockOut(true);
    fed.engine.setPlaying(true);
    fed.renderUpTo(20000);
    EXPECT_TRUE(fed.taken().empty());

    fed.feed.setEnabled(true);
    fed.feed.setClockOut(false);
    fed.renderUpTo(40000);
    std::vector<TimedMidiMessage> sent = fed.taken();
    EXPECT_FALSE(sent.empty());
    EXPECT_TRUE(std::none_of(sent.begin(), sent.end(), isClock));

    // Another program leads: the clock Quom led stops.
    fed.feed.setClockOut(true);
    fed.render(256);
    ASSERT_EQ(fed.taken().front().bytes[0], kMidiStart);
    const BlockSync followed{true, 0.0, 1.0 / 1000, 150};
    fed.feed.beforeRender(fed.engine, &followed);
    fed.engine.Render(256, fed.out.data());
    fed.feed.afterRender(fed.engine, {fed.played, 256, 0, kRate});
    sent = fed.taken();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front().bytes[0], kMidiStop);
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(), isClock), 1);
}

TEST(MidiOutFeed, AFullRingDropsWholeBlocksAndCountsThem)
{
    FedEngine fed(1, 1);
    fed.tempo.set(kMaxTempo);
    fed.feed.setClockOut(true);
    fed.engine.setPlaying(true);
    // Nobody takes: the ring fills, then every block is dropped whole.
    fed.renderUpTo(6 * kRate);
    EXPECT_GT(fed.feed.dropped(), 0u);
    const std::vector<TimedMidiMessage> kept = fed.taken();
    EXPECT_GT(kept.size(), MidiOutFeed::kCapacity - MidiOutEvents::kCapacity);
    EXPECT_TRUE(std::is_sorted(
        kept.begin(), kept.end(), [](const auto& a, const auto& b) { return a.heardNanos < b.heardNanos; }));
    // Room again: the next blocks go through.
    fed.renderUpTo(fed.played + kRate);
    EXPECT_FALSE(fed.taken().empty());
}

TEST(QueueClock, FollowsTheMiddleOfEachReadingAndNeverGoesBack)
{
    QueueClock clock;
    EXPECT_FALSE(clock.anchored());
    clock.anchor(1'000'000, 200, 1'000'400); // the queue read 200 ns at host time 1'000'200
    EXPECT_TRUE(clock.anchored());
    EXPECT_EQ(clock.queueTime(2'000'200), 1'000'200);
    // The queue runs slow by 100 ns: what is handed out later is later still.
    clock.anchor(3'000'000, 1'999'900, 3'000'000);
    EXPECT_EQ(clock.queueTime(2'000'250), 1'000'200) << "not before the time handed out";
    EXPECT_EQ(clock.queueTime(4'000'000), 2'999'900);
    // Host times before the queue started are due at once.
    QueueClock fresh;
    fresh.anchor(10'000, 0, 10'000);
    EXPECT_EQ(fresh.queueTime(5'000), 0);
}

TEST(HeldNotes, ANoteIsHeldUntilItsNoteOffIsDue)
{
    HeldNotes held;
    auto message = [](std::int64_t at, std::uint8_t status, std::uint8_t note, std::uint8_t velocity) {
        return TimedMidiMessage{at, 3, {status, note, velocity}};
    };
    held.scheduled(message(100, 0x90, 60, 100));
    held.scheduled(message(200, 0x80, 60, 0));
    held.scheduled(message(100, 0x9F, 36, 90));
    held.scheduled(message(150, 0x9F, 36, 0)); // velocity 0 ends it
    held.scheduled(message(300, 0x93, 127, 1));
    held.scheduled(message(100, 0xB0, 10, 64)); // pan is no note
    held.scheduled({100, 2, {0xC0, 60, 0}});

    using Offs = std::vector<std::array<std::uint8_t, 3>>;
    EXPECT_EQ(held.owed(120), (Offs{{0x80, 60, 0}, {0x83, 127, 0}, {0x8F, 36, 0}}))
        << "note-offs still waiting may never leave a closing queue";
    EXPECT_EQ(held.owed(250), (Offs{{0x83, 127, 0}}));
    // Struck again after its note-off was scheduled.
    held.scheduled(message(260, 0x90, 60, 100));
    EXPECT_EQ(held.owed(400), (Offs{{0x80, 60, 0}, {0x83, 127, 0}}));
    held.clear();
    EXPECT_TRUE(held.owed(400).empty());
}

} // namespace
} // namespace quom
