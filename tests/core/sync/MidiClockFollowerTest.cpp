#include "core/sync/MidiClockFollower.h"

#include "core/sync/MidiClock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

using namespace quom;

constexpr std::int64_t kSecond = 1'000'000'000; // nanosecond timestamps
constexpr std::int64_t kMillisecond = 1'000'000;

std::int64_t pulseTicks(double bpm)
{
    return static_cast<std::int64_t>(60.0 * kSecond / (bpm * kPulsesPerQuarter));
}

void send(MidiClockFollower& follower, std::uint8_t status, std::int64_t time)
{
    const std::uint8_t message[] = {status};
    follower.receive(message, time);
}

// A clock that starts at startTime and pulses at bpm, each pulse off its ideal time by
// up to jitter either way (a seeded generator, so every run sends the same pulses).
class Clock {
public:
    Clock(MidiClockFollower& follower, double bpm, std::int64_t jitter = 0, std::int64_t startTime = kSecond)
        : follower_(follower)
        , period_(pulseTicks(bpm))
        , jitter_(jitter)
        , start_(startTime)
    {
    }

    std::int64_t idealTime(std::int64_t pulse) const { return start_ + pulse * period_; }

    // Sends Start, then pulses; returns, for each step after the first beat, how far from
    // its ideal time the follower said it would begin, judged just before its pulse came.
    std::vector<std::int64_t> startAndMeasureSteps(int pulses)
    {
        send(follower_, kMidiStart, start_ - 5 * kMillisecond);
        std::vector<std::int64_t> errors;
        std::int64_t previous = 0;
        for (int k = 0; k < pulses; ++k) {
            if (k >= kPulsesPerQuarter && k % kPulsesPerStep == 0) {
                const double step = static_cast<double>(k / kPulsesPerStep);
                const double predicted = static_cast<double>(previous)
                    + (step - follower_.stepAt(previous).value()) * follower_.ticksPerStep();
                errors.push_back(static_cast<std::int64_t>(predicted) - idealTime(k));
            }
            previous = timeOfPulse(k);
            send(follower_, kMidiClock, previous);
        }
        return errors;
    }

    std::int64_t timeOfPulse(std::int64_t pulse)
    {
        if (jitter_ == 0)
            return idealTime(pulse);
        const auto spread
            = static_cast<std::int64_t>(random_() % static_cast<std::uint64_t>(2 * jitter_ + 1));
        return idealTime(pulse) + spread - jitter_;
    }

private:
    MidiClockFollower& follower_;
    std::int64_t period_;
    std::int64_t jitter_;
    std::int64_t start_;
    std::mt19937_64 random_{25};
};

std::int64_t largest(const std::vector<std::int64_t>& errors)
{
    std::int64_t most = 0;
    for (auto e : errors)
        most = std::max(most, e < 0 ? -e : e);
    return most;
}

TEST(MidiClockFollower, StepsFollowASteadyOrJitteryClockWithinAMillisecond)
{
    for (const std::int64_t jitter : {std::int64_t{0}, 2 * kMillisecond}) {
        SCOPED_TRACE(jitter);
        MidiClockFollower follower(kSecond);
        Clock clock(follower, 100, jitter);
        const auto errors = clock.startAndMeasureSteps(64 * kPulsesPerStep * 2);
        ASSERT_EQ(errors.size(), 128u - 4u);
        EXPECT_LT(largest(errors), kMillisecond);
        EXPECT_NEAR(follower.tempo(), 100.0, 0.1);
        EXPECT_TRUE(follower.running());
    }
}

TEST(MidiClockFollower, StartStopContinueAndSongPositionPlaceTheSteps)
{
    MidiClockFollower follower(kSecond);
    EXPECT_FALSE(follower.stepAt(0));
    std::int64_t t = kSecond;
    const std::int64_t period = pulseTicks(120);
    auto pulses = [&](int count) {
        for (int i = 0; i < count; ++i, t += period)
            send(follower, kMidiClock, t);
    };
    pulses(48); // a clock running while stopped sets the tempo but plays nothing
    EXPECT_FALSE(follower.running());
    EXPECT_FALSE(follower.stepAt(t));
    EXPECT_NEAR(follower.tempo(), 120.0, 1e-4);

    send(follower, kMidiStart, t - 1000);
    EXPECT_TRUE(follower.running());
    EXPECT_FALSE(follower.stepAt(t)) << "the first pulse after Start begins step 0";
    pulses(13);
    EXPECT_NEAR(*follower.stepAt(t - period), 2.0, 1e-9);

    send(follower, kMidiStop, t);
    EXPECT_FALSE(follower.running());
    EXPECT_FALSE(follower.stepAt(t));
    pulses(30); // ignored for the position
    send(follower, kMidiContinue, t);
    pulses(1);
    EXPECT_NEAR(*follower.stepAt(t - period), 13.0 / 6, 1e-9) << "Continue resumes at the next pulse";

    send(follower, kMidiStop, t);
    const std::uint8_t songPosition[] = {kMidiSongPosition, 72, 1}; // 200 sixteenths
    follower.receive(songPosition, t);
    send(follower, kMidiContinue, t);
    pulses(7);
    EXPECT_NEAR(*follower.stepAt(t - period), 201.0, 1e-9);

    // Malformed positions are ignored: a data byte over 127, missing data.
    send(follower, kMidiStop, t);
    const std::uint8_t highByte[] = {kMidiSongPosition, 0x80, 0};
    const std::uint8_t shortMessage[] = {kMidiSongPosition, 3};
    follower.receive(highByte, t);
    follower.receive(shortMessage, t);
    send(follower, kMidiContinue, t);
    pulses(1);
    EXPECT_NEAR(*follower.stepAt(t - period), 1207.0 / 6, 1e-9);

    send(follower, kMidiStart, t);
    pulses(1);
    EXPECT_NEAR(*follower.stepAt(t - period), 0.0, 1e-9);
}

TEST(MidiClockFollower, TempoOutsideQuomsRangeIsClampedAndKeepsItsOwnPace)
{
    struct Case {
        double bpm;
        double expected;
    };
    for (const Case c : {Case{1000, kMaxTempo}, Case{0.5, kMinTempo}}) {
        SCOPED_TRACE(c.bpm);
        MidiClockFollower follower(kSecond);
        Clock clock(follower, c.bpm);
        send(follower, kMidiStart, 0);
        std::int64_t t = 0;
        double before = 0;
        for (int k = 0; k < 60; ++k) {
            t = clock.timeOfPulse(k);
            if (k > 0)
                before = *follower.stepAt(t);
            send(follower, kMidiClock, t);
            EXPECT_FALSE(follower.sourceLost(t + pulseTicks(c.bpm) / 2));
        }
        EXPECT_DOUBLE_EQ(follower.tempo(), c.expected);
        EXPECT_NEAR(*follower.stepAt(t), before, 1e-9) << "no jump at a pulse";
        const double aSecondLater = *follower.stepAt(t + kSecond) - *follower.stepAt(t);
        EXPECT_NEAR(aSecondLater, c.expected * 4 / 60, 1e-9);
    }
}

TEST(MidiClockFollower, ALostClockRunsOnAtTheLastTempoAndIsPickedUpAgain)
{
    MidiClockFollower follower(kSecond);
    EXPECT_TRUE(follower.sourceLost(0)) << "no clock yet";
    Clock clock(follower, 100);
    clock.startAndMeasureSteps(100);
    const std::int64_t last = clock.idealTime(99);
    EXPECT_FALSE(follower.sourceLost(last + kSecond / 4));
    EXPECT_TRUE(follower.sourceLost(last + kSecond));
    EXPECT_TRUE(follower.running());
    EXPECT_NEAR(*follower.stepAt(last + 3 * kSecond), 99.0 / 6 + 3 * 100.0 * 4 / 60, 1e-6);
    EXPECT_NEAR(follower.tempo(), 100.0, 1e-6);

    // The clock returns a little off the old grid: the position carries on from the
    // nearest pulse rather than jumping back to the count of pulses received.
    const std::int64_t back = clock.idealTime(99 + 400) + 3 * kMillisecond;
    send(follower, kMidiClock, back);
    EXPECT_FALSE(follower.sourceLost(back));
    EXPECT_NEAR(*follower.stepAt(back), 499.0 / 6, 1e-9);
}

TEST(MidiClockFollower, FollowsATempoChangeWithinTwoBeats)
{
    MidiClockFollower follower(kSecond);
    Clock slow(follower, 100);
    slow.startAndMeasureSteps(96);
    const std::int64_t from = slow.idealTime(96);
    for (int k = 0; k < 48; ++k)
        send(follower, kMidiClock, from + k * pulseTicks(140));
    EXPECT_NEAR(follower.tempo(), 140.0, 0.01);
}

// Floods of junk, backwards time and bursts of pulses at one instant: no crash, a tempo
// still in range, and a clean clock afterwards is followed as if nothing had happened.
TEST(MidiClockFollower, SurvivesFloodsAndMalformedInput)
{
    MidiClockFollower follower(kSecond);
    std::mt19937_64 random(7);
    std::vector<std::uint8_t> message;
    std::int64_t t = 0;
    for (int i = 0; i < 100'000; ++i) {
        message.resize(random() % 8 == 0 ? random() % 5000 : random() % 4);
        for (auto& byte : message)
            byte = static_cast<std::uint8_t>(random());
        if (!message.empty() && random() % 2 == 0)
            message[0] = static_cast<std::uint8_t>(0xF0 + random() % 16);
        t += static_cast<std::int64_t>(random() % (4 * kMillisecond)) - kMillisecond;
        follower.receive(message, t);
        ASSERT_GE(follower.tempo(), kMinTempo);
        ASSERT_LE(follower.tempo(), kMaxTempo);
    }
    for (int i = 0; i < 100'000; ++i)
        send(follower, kMidiClock, t);
    send(follower, kMidiClock, INT64_MAX);
    send(follower, kMidiClock, INT64_MIN);
    EXPECT_GE(follower.tempo(), kMinTempo);
    EXPECT_LE(follower.tempo(), kMaxTempo);

    Clock clock(follower, 100, 0, INT64_MAX - 100 * kSecond);
    EXPECT_LT(largest(clock.startAndMeasureSteps(200)), kMillisecond);
    EXPECT_NEAR(follower.tempo(), 100.0, 0.05);
}

} // namespace
