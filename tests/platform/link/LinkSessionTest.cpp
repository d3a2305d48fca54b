#include "platform/link/LinkSession.h"

#include "AllocationCounter.h"
#include "LinkTestPeer.h"
#include "core/audio/Engine.h"
#include "support/TestGrids.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

// Link sessions on the loopback of a private network namespace (in_private_network.sh),
// between LinkSession and quom_linkpeer, another process on the same Link headers.
namespace {

using quom::BlockSync;
using quom::BlockTime;
using quom::LinkSession;
using quom::linktest::kJoinMillis;
using quom::linktest::LinkPeer;
using quom::linktest::onlyLoopback;
using quom::linktest::phaseGapMillis;

constexpr int kSampleRate = 48000;
constexpr int kTempoMillis = 1000;

std::int64_t hostMicros()
{
    return quom::monotonicMicros();
}

// A back-end's clock far from Link's, as JACK's may be; not a whole number of bars ahead.
constexpr std::int64_t kClockAhead = 3600000000 + 123457;
std::int64_t clockAhead()
{
    return hostMicros() + kClockAhead;
}

BlockSync blockAt(LinkSession& session, std::int64_t micros)
{
    const auto sync = session.blockSync(BlockTime{0, 256, micros, kSampleRate});
    return sync.value_or(BlockSync{});
}

class LinkSync : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!onlyLoopback())
            GTEST_SKIP() << "Link runs only in a private network namespace (in_private_network.sh)";
        ASSERT_TRUE(peer.started());
        session.enable(true);
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return session.peers() == 1 && peer.stateAt(0).peers == 1; }, kJoinMillis));
    }

    LinkSession session{120};
    LinkPeer peer{90};
};

TEST(LinkSessionAlone, StartsItsFirstStepAtOnceAndMovesAtItsTempo)
{
    LinkSession session(120);
    const std::int64_t before = hostMicros();
    EXPECT_FALSE(blockAt(session, before).rolling);

    session.requestStart();
    BlockSync started;
    {
        AllocationCounter audioThread;
        started = blockAt(session, hostMicros());
        EXPECT_EQ(audioThread.count(), 0u);
    }
    EXPECT_TRUE(started.rolling);
    EXPECT_DOUBLE_EQ(started.tempo, 120);
    EXPECT_DOUBLE_EQ(started.stepsPerFrame, 120.0 / 60 * 4 / kSampleRate);
    // The first step is the start itself, not a step of the running timeline.
    EXPECT_GE(started.step, -0.01);
    EXPECT_LT(started.step, 0.5);

    // A step is a sixteenth: a second at 120 BPM is 8 steps.
    const BlockSync later = blockAt(session, hostMicros() + 1000000);
    EXPECT_NEAR(later.step - started.step, 8, 0.5);

    EXPECT_TRUE(QTest::qWaitFor([&] { return session.isPlaying(); }, kTempoMillis)) << "the window hears it";

    session.requestStop();
    EXPECT_FALSE(blockAt(session, hostMicros()).rolling);
    session.setTempo(5);
    EXPECT_DOUBLE_EQ(blockAt(session, hostMicros()).tempo, 20) << "Link's lowest tempo";
    EXPECT_TRUE(QTest::qWaitFor([&] { return session.tempo() == 20; }, kTempoMillis));
}

TEST_F(LinkSync, TempoReachesTheOtherSideWithinASecond)
{
    QSignalSpy tempoChanged(&session, &LinkSession::tempoChanged);
    EXPECT_EQ(peer.command("tempo 133"), "ok");
    EXPECT_TRUE(QTest::qWaitFor([&] { return std::abs(session.tempo() - 133) < 0.01; }, kTempoMillis));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !tempoChanged.isEmpty(); }, kTempoMillis));
    EXPECT_NEAR(tempoChanged.last().at(0).toDouble(), 133, 0.01);
    EXPECT_NEAR(blockAt(session, hostMicros()).tempo, 133, 0.01);

    session.setTempo(97);
    EXPECT_TRUE(QTest::qWaitFor([&] { return std::abs(peer.stateAt(0).tempo - 97) < 0.01; }, kTempoMillis));

    // Quom's slider shows a fractional tempo as the nearest whole one and leaves it be.
    peer.command("tempo 133.4");
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::abs(session.tempo() - 133.4) < 0.01; }, kTempoMillis));
    session.setTempo(133);
    QTest::qWait(200);
    EXPECT_NEAR(peer.stateAt(0).tempo, 133.4, 0.01);
}

// Both are measured at the same host time, a little ahead so the peer's answer cannot
// lag it; the first measurements after joining may still be settling. A session whose
// blocks are timed on another clock agrees just the same.
TEST_F(LinkSync, BeatPhasesAgreeWithinAMillisecond)
{
    LinkSession ahead(120, clockAhead);
    ahead.enable(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ahead.peers() == 2; }, kJoinMillis));
    for (const std::int64_t clockOffset : {std::int64_t{0}, kClockAhead}) {
        LinkSession& ours = clockOffset == 0 ? session : ahead;
        double gap = 1e9;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                const std::int64_t at = hostMicros() + 50000;
                const BlockSync sync = blockAt(ours, at + clockOffset);
                gap = phaseGapMillis(sync.step / 4, peer.stateAt(at).beat, sync.tempo);
                return gap < 1;
            },
            kJoinMillis))
            << gap << " ms apart, clock offset " << clockOffset;
    }
}

TEST_F(LinkSync, StartAndStopReachEitherSideAndTheFirstStepFallsOnTheSessionsBar)
{
    QSignalSpy playingChanged(&session, &LinkSession::playingChanged);
    peer.command("play");
    ASSERT_TRUE(QTest::qWaitFor([&] { return session.isPlaying(); }, kTempoMillis));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !playingChanged.isEmpty(); }, kTempoMillis));
    EXPECT_TRUE(playingChanged.last().at(0).toBool());

    // The audio thread, two bars on: rolling, and step 0 lies on one of the peer's bars.
    const std::int64_t at = hostMicros() + 4000000;
    const BlockSync rolling = blockAt(session, at);
    ASSERT_TRUE(rolling.rolling);
    ASSERT_GT(rolling.step, 0);
    const double microsPerStep = 1e6 / (rolling.stepsPerFrame * kSampleRate);
    const auto firstStep = at - static_cast<std::int64_t>(std::llround(rolling.step * microsPerStep));
    EXPECT_LT(phaseGapMillis(peer.stateAt(firstStep).beat, 0, rolling.tempo), 1.0);

    peer.command("stop");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !session.isPlaying(); }, kTempoMillis));
    EXPECT_FALSE(blockAt(session, hostMicros()).rolling);

    session.requestStart();
    EXPECT_TRUE(QTest::qWaitFor([&] { return peer.stateAt(0).playing; }, kTempoMillis));
    session.requestStop();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !peer.stateAt(0).playing; }, kTempoMillis));
}

// The live engine over blocks whose host times run on from now: every painted step it
// plays, sound and MIDI out alike, starts on a sixteenth of the peer's beat, in the
// column the peer's count of steps since its start gives.
TEST_F(LinkSync, TheEnginesStepsLandOnThePeersSixteenths)
{
    constexpr int kRate = 44100;
    constexpr std::uint32_t kBlock = 256;
    quom::LiveGrid grid;
    grid.assign(columnNotes());
    quom::Engine engine;
    engine.setPattern(&grid);

    peer.command("tempo 137");
    peer.command("play");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return session.isPlaying() && std::abs(session.tempo() - 137) < 0.01; }, kTempoMillis));

    std::vector<float> out(2 * kBlock);
    std::vector<double> noteOnMicros;
    std::vector<int> noteOnColumns;
    const std::int64_t start = hostMicros();
    for (std::uint64_t frame = 0; frame < 5 * kRate; frame += kBlock) {
        const std::int64_t micros = start + static_cast<std::int64_t>(frame * 1000000 / kRate);
        const auto sync = session.blockSync(BlockTime{frame, kBlock, micros, kRate});
        ASSERT_TRUE(sync.has_value());
        engine.Render(kBlock, out.data(), &*sync);
        for (const quom::MidiOutEvent& e : engine.midiOut().events()) {
            if ((e.message.status & 0xF0) == 0x90) {
                noteOnMicros.push_back(micros + e.frame * 1e6 / kRate);
                noteOnColumns.push_back(e.message.data1); // blue / 2: the column
            }
        }
    }
    ASSERT_GE(noteOnMicros.size(), 24u)
        << "5 s at 137 BPM, of which the wait for the first bar takes under 2";
    for (std::size_t k = 0; k < noteOnMicros.size(); ++k) {
        const double steps = peer.stateAt(std::llround(noteOnMicros[k])).beat * 4;
        EXPECT_LT(phaseGapMillis(steps / 4, std::round(steps) / 4, 137), 1.0) << k;
        EXPECT_EQ(noteOnColumns[k], static_cast<int>(std::lround(steps)) % quom::kColumns) << k;
    }
}

// A peer that leaves says so; one that vanishes is timed out by Link after a few seconds.
// Either way Quom hears that it is alone and plays on at the session's last tempo.
TEST_F(LinkSync, TheLastPeerGoingIsReportedAndTheTempoKept)
{
    peer.leave();
    ASSERT_TRUE(QTest::qWaitFor([&] { return session.peers() == 0; }, kJoinMillis));
    for (const int tempo : {101, 107}) {
        const bool vanishes = tempo == 107;
        SCOPED_TRACE(vanishes ? "vanishes" : "leaves");
        LinkPeer other(90);
        ASSERT_TRUE(QTest::qWaitFor([&] { return session.peers() == 1; }, kJoinMillis));
        other.command("tempo " + std::to_string(tempo));
        ASSERT_TRUE(QTest::qWaitFor([&] { return std::abs(session.tempo() - tempo) < 0.01; }, kTempoMillis));
        QSignalSpy lastPeerLeft(&session, &LinkSession::lastPeerLeft);
        QSignalSpy peersChanged(&session, &LinkSession::peersChanged);

        if (vanishes)
            other.vanish();
        else
            other.leave();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !lastPeerLeft.isEmpty(); }, kJoinMillis));
        EXPECT_EQ(session.peers(), 0u);
        ASSERT_FALSE(peersChanged.isEmpty());
        EXPECT_EQ(peersChanged.last().at(0).toInt(), 0);
        EXPECT_NEAR(session.tempo(), tempo, 0.01);
        EXPECT_NEAR(blockAt(session, hostMicros()).tempo, tempo, 0.01);
    }
}

} // namespace
