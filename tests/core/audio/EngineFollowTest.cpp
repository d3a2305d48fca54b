#include "core/audio/Engine.h"
#include "core/sync/MidiClock.h"
#include "core/sync/MidiClockSync.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace quom {
namespace {

// A live engine with a note in every column of row 0, following a source block by block;
// the frames at which its steps start are read off its MIDI note-ons.
struct FollowingEngine {
    LiveGrid grid;
    Engine engine;
    std::uint64_t played = 0;
    std::vector<std::uint64_t> noteOnFrames;
    std::vector<int> noteOnColumns;
    std::vector<float> out;

    FollowingEngine()
    {
        Grid cells{};
        for (int column = 0; column < kColumns; ++column)
            cells[cellIndex(column, 0)] = makeCell(255, 128, static_cast<std::uint8_t>(2 * column));
        grid.assign(cells);
        engine.setPattern(&grid);
    }

    void render(std::uint32_t frames, const BlockSync* sync)
    {
        out.assign(2 * static_cast<std::size_t>(frames), 0.0f);
        engine.Render(frames, out.data(), sync);
        for (const MidiOutEvent& e : engine.midiOut().events()) {
            if ((e.message.status & 0xF0) == 0x90) {
                noteOnFrames.push_back(played + e.frame);
                noteOnColumns.push_back(e.message.data1); // blue / 2 = the column
            }
        }
        played += frames;
    }

    // A source at stepsPerFrame from step `from` at the next block, in blocks of 256.
    void follow(double from, double stepsPerFrame, std::uint64_t frames, bool rolling = true)
    {
        const std::uint64_t first = played;
        while (played < first + frames) {
            const BlockSync sync{
                rolling, from + stepsPerFrame * static_cast<double>(played - first), stepsPerFrame, 100};
            render(256, &sync);
        }
    }
};

// Steps start on the first frame at or after the position reaches them, in the column of
// their step; the engine's own tempo and Play are not consulted.
TEST(EngineFollow, StepsStartWhereTheSourcePutsThem)
{
    FollowingEngine e;
    const double stepsPerFrame = 1.0 / 6615.0 * 1.003; // a little faster than 100 BPM
    e.follow(0.0, stepsPerFrame, 70 * 6615);
    ASSERT_GE(e.noteOnFrames.size(), 64u);
    EXPECT_TRUE(e.engine.rolling());
    EXPECT_EQ(e.engine.followedTempo(), 100);
    for (std::size_t k = 0; k < e.noteOnFrames.size(); ++k) {
        EXPECT_EQ(e.noteOnFrames[k], static_cast<std::uint64_t>(std::ceil(k / stepsPerFrame - 1e-9))) << k;
        EXPECT_EQ(e.noteOnColumns[k], static_cast<int>(k % kColumns)) << k;
    }
}

// Joining mid-step plays from the next whole step; a locate jumps there; a stop ends the
// notes and a new start begins afresh; a source that claims nonsense plays nothing.
TEST(EngineFollow, JoinLocateStopAndNonsense)
{
    FollowingEngine e;
    const double rate = 1.0 / 5000.0;
    e.follow(10.5, rate, 5000);
    ASSERT_EQ(e.noteOnFrames.size(), 1u);
    EXPECT_EQ(e.noteOnFrames[0], 2500u);
    EXPECT_EQ(e.noteOnColumns[0], 11);

    const std::uint64_t locatedAt = e.played;
    e.follow(40.0, rate, 1000); // located
    EXPECT_EQ(e.noteOnColumns.back(), 40);
    EXPECT_EQ(e.noteOnFrames.back(), locatedAt);

    e.follow(0, rate, 512, false);
    EXPECT_FALSE(e.engine.rolling());
    std::size_t ons = e.noteOnFrames.size();
    e.follow(0, rate, 5000, false);
    EXPECT_EQ(e.noteOnFrames.size(), ons);

    for (const double bad : {0.0, -rate, 2.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        e.follow(3, bad, 512);
        EXPECT_EQ(e.noteOnFrames.size(), ons) << bad;
        EXPECT_FALSE(e.engine.rolling());
    }
    e.follow(-1.0, rate, 6000); // step -1 is column 63
    EXPECT_EQ(e.noteOnColumns[ons], 63);
    EXPECT_EQ(e.noteOnColumns[ons + 1], 0);
}

// A MIDI clock at 100 BPM with ±2 ms of jitter, stamped in frames (JACK) or in host
// microseconds (a device thread): after the first beat every step starts within a
// millisecond of its true time, and Stop stops the pattern.
TEST(EngineFollow, AJitteryMidiClockGivesSteadySteps)
{
    for (const auto timebase : {MidiClockSync::Timebase::Frames, MidiClockSync::Timebase::HostMicros}) {
        const bool micros = timebase == MidiClockSync::Timebase::HostMicros;
        // Host time an hour in, so that the two clocks differ.
        const auto stamp = [micros](double frame) {
            return static_cast<std::int64_t>(micros ? 3.6e9 + frame * 1e6 / 44100.0 : frame);
        };
        const auto blockTime = [&stamp](std::uint64_t frame) {
            return BlockTime{frame, 256, stamp(static_cast<double>(frame)), 44100};
        };
        FollowingEngine e;
        MidiClockSync clock(timebase, 44100, 120);
        EXPECT_FALSE(clock.blockSync(blockTime(0)));
        const double pulseFrames = 44100.0 * 60.0 / (100.0 * kPulsesPerQuarter);
        std::mt19937 gen(25);
        std::uniform_real_distribution<double> jitter(-88.2, 88.2);
        const std::uint64_t start = 1000;
        int pulse = 0;
        const std::uint8_t startMessage[] = {kMidiStart};
        clock.receive(startMessage, stamp(start - 10));
        while (e.played < start + 20 * 6615) {
            for (;; ++pulse) {
                const double at = start + pulse * pulseFrames + jitter(gen);
                if (at >= static_cast<double>(e.played + 256))
                    break;
                const std::uint8_t pulseMessage[] = {kMidiClock};
                clock.receive(pulseMessage, stamp(std::floor(at)));
            }
            const std::optional<BlockSync> sync = clock.blockSync(blockTime(e.played));
            e.render(256, sync ? &*sync : nullptr);
        }
        ASSERT_GE(e.noteOnFrames.size(), 18u);
        for (std::size_t k = 4; k < e.noteOnFrames.size(); ++k) {
            const double ideal = start + 6.0 * k * pulseFrames;
            EXPECT_NEAR(static_cast<double>(e.noteOnFrames[k]), ideal, 44.1) << k << " " << micros;
        }
        const std::uint8_t stop[] = {kMidiStop};
        clock.receive(stop, stamp(static_cast<double>(e.played)));
        const std::size_t ons = e.noteOnFrames.size();
        const std::optional<BlockSync> stopped = clock.blockSync(blockTime(e.played));
        ASSERT_TRUE(stopped);
        e.render(256, &*stopped);
        EXPECT_FALSE(e.engine.rolling());
        EXPECT_EQ(e.noteOnFrames.size(), ons);
    }
}

} // namespace
} // namespace quom
