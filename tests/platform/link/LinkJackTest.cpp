#include "LinkTestPeer.h"

#include "core/audio/Engine.h"
#include "platform/jack/JackClient.h"
#include "platform/jack/JackSource.h"
#include "platform/link/LinkSession.h"
#include "support/TestGrids.h"

#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <jack/jack.h>

#include <array>
#include <atomic>
#include <cmath>
#include <csignal>
#include <memory>
#include <string>

#include <sys/prctl.h>
#include <unistd.h>

// Quom's own JACK client following a Link session, under a JACK server of the test's own
// (dummy driver, synchronous): the block times JACK gives, on JACK's clock, put every
// step on the peer's beat.
namespace quom {
namespace {

std::int64_t jackMicros()
{
    return static_cast<std::int64_t>(jack_get_time());
}

// The engine with a note in every column of row 0, listing when each note-on is heard:
// the block's host time (JACK's clock) plus its frame.
class NoteTimes final : public JackSource, public BlockSyncSource {
public:
    NoteTimes()
    {
        grid_.assign(columnNotes());
        engine_.setPattern(&grid_);
    }

    // Before the client asks.
    void follow(BlockSyncSource& link) { link_ = &link; }

    std::optional<BlockSync> blockSync(const BlockTime& time) noexcept override
    {
        blockMicros_ = time.hostMicros;
        return link_->blockSync(time);
    }

    bool renderBlock(float* interleavedStereo, std::uint32_t frames, const BlockSync* sync) noexcept override
    {
        engine_.Render(frames, interleavedStereo, sync);
        std::size_t count = count_.load(std::memory_order_relaxed);
        for (const MidiOutEvent& e : engine_.midiOut().events()) {
            if ((e.message.status & 0xF0) != 0x90 || count == notes_.size())
                continue;
            notes_[count++] = {blockMicros_ + e.frame * 1e6 / JackClient::kSampleRate, e.message.data1};
        }
        count_.store(count, std::memory_order_release);
        return true;
    }
    Engine& engine() noexcept override { return engine_; }

    struct Note {
        double micros = 0; // JACK's clock
        int column = 0; // blue / 2
    };
    std::size_t count() const noexcept { return count_.load(std::memory_order_acquire); }
    const Note& note(std::size_t k) const { return notes_[k]; }

private:
    BlockSyncSource* link_ = nullptr;
    LiveGrid grid_;
    Engine engine_;
    std::int64_t blockMicros_ = 0;
    std::array<Note, 256> notes_{};
    std::atomic<std::size_t> count_{0};
};

TEST(LinkSyncUnderJack, StepsLandOnThePeersSixteenths)
{
    if (!linktest::onlyLoopback())
        GTEST_SKIP() << "Link runs only in a private network namespace (in_private_network.sh)";
    const std::string name = "quom-link-" + std::to_string(getpid());
    setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
    setenv("JACK_NO_START_SERVER", "1", 1);
    QProcess server;
    server.setStandardOutputFile(QProcess::nullDevice());
    server.setStandardErrorFile(QProcess::nullDevice());
    // Ended with the test, however it ends: a server that outlives it keeps its entry.
    server.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    server.start("jackd", {"--no-realtime", "--sync", "-d", "dummy", "-r", "44100", "-p", "256"});
    if (!server.waitForStarted())
        GTEST_SKIP() << "jackd cannot be started";

    NoteTimes source;
    std::unique_ptr<JackClient> client;
    std::string why;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (client = JackClient::open(source, why)) != nullptr; }, 10000))
        << why;
    ASSERT_FALSE(client->start(""));

    linktest::LinkPeer peer(90);
    ASSERT_TRUE(peer.started());
    // JACK's clock can be read only once a client has been opened.
    LinkSession session(120, jackMicros);
    session.enable(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return session.peers() == 1; }, linktest::kJoinMillis));
    source.follow(session);
    client->setBlockSyncSource(&source);

    peer.command("tempo 131");
    peer.command("play");
    // Two bars at most before the first step, then sixteen steps.
    EXPECT_TRUE(QTest::qWaitFor([&] { return source.count() >= 16; }, 10000)) << source.count();
    const std::int64_t toMonotonic = monotonicMicros() - jackMicros(); // the peer's clock
    client.reset();
    server.terminate();
    server.waitForFinished();
    ASSERT_GE(source.count(), 16u);
    for (std::size_t k = 0; k < source.count(); ++k) {
        const double steps = peer.stateAt(std::llround(source.note(k).micros) + toMonotonic).beat * 4;
        EXPECT_LT(std::abs(steps - std::round(steps)) * 60000.0 / 131 / 4, 1.0) << k << ": step " << steps;
        EXPECT_EQ(source.note(k).column, static_cast<int>(std::lround(steps)) % kColumns) << k;
    }
}

} // namespace
} // namespace quom
