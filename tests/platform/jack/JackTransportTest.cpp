#include "platform/jack/JackTestServer.h"
#include "platform/jack/JackTimebaseMaster.h"
#include "platform/jack/JackTransportRole.h"
#include "platform/jack/JackTransportSync.h"

#include <gtest/gtest.h>

#include <jack/jack.h>
#include <jack/transport.h>

#include <array>
#include <atomic>
#include <memory>

// Quom's side of JACK's transport against a real server: following it block by block,
// and leading it as timebase master, with the transport moved and read by other clients.
// Positions are compared in frames and steps only, never in time.
namespace {

using quom::BlockSync;
using quom::BlockSyncSource;
using quom::JackTimebaseMaster;
using quom::JackTransportRole;
using quom::JackTransportSync;
using quom::Settings;
using quom::SyncSource;
using quom::TempoValue;

// At 120 beats per minute a step lasts 5512 frames (10584000 / (120 * 16)), at 60 11025.
constexpr jack_nframes_t kStep120 = 5512;
constexpr jack_nframes_t kStep60 = 11025;

struct ClientCloser {
    void operator()(jack_client_t* client) const { jack_client_close(client); }
};
using Client = std::unique_ptr<jack_client_t, ClientCloser>;

// What a follower's process callback answered, block by block (single producer).
class BlockLog {
public:
    void add(const BlockSync& sync) noexcept
    {
        const std::size_t n = count_.load(std::memory_order_relaxed);
        if (n == blocks_.size())
            return;
        blocks_[n] = sync;
        count_.store(n + 1, std::memory_order_release);
    }
    std::size_t count() const noexcept { return count_.load(std::memory_order_acquire); }
    const BlockSync& operator[](std::size_t i) const noexcept { return blocks_[i]; }
    // Waits for a block from now on that satisfies condition and returns its index.
    template <typename Condition> std::optional<std::size_t> next(Condition condition) const
    {
        std::size_t seen = count();
        std::optional<std::size_t> found;
        waitUntil([&] {
            for (const std::size_t end = count(); seen < end && !found; ++seen)
                if (condition(blocks_[seen]))
                    found = seen;
            return found.has_value();
        });
        return found;
    }

private:
    std::array<BlockSync, 16384> blocks_{};
    std::atomic<std::size_t> count_{0};
};

class JackTransport : public testing::Test {
protected:
    void SetUp() override
    {
        if (!JackTestServer::installed())
            GTEST_SKIP() << "jackd is not installed";
        server_ = std::make_unique<JackTestServer>();
        ASSERT_TRUE(server_->running()) << "jackd did not start";
        controller_.reset(server_->open("controller"));
        ASSERT_NE(controller_, nullptr);
        jack_transport_stop(controller_.get());
    }

    // As Quom's back-end does: no callback runs any more when what it reads goes, and the
    // master lets go before its client closes.
    void TearDown() override
    {
        if (quom_)
            jack_deactivate(quom_.get());
        if (role_)
            role_->setClient(nullptr);
        role_.reset();
        sync_.reset();
        quom_.reset();
    }

    void openQuom()
    {
        quom_.reset(server_->open("Quom"));
        ASSERT_NE(quom_, nullptr);
    }

    // Quom's client, asking source for a position every block as the audio back-end does.
    void activate(BlockSyncSource* source)
    {
        source_.store(source, std::memory_order_release);
        jack_set_process_callback(quom_.get(), &JackTransport::process, this);
        ASSERT_EQ(jack_activate(quom_.get()), 0);
    }

    void follow()
    {
        openQuom();
        sync_ = std::make_unique<JackTransportSync>(tempo_, JackTransportSync::Counting::MastersBars);
        sync_->setClient(quom_.get());
        activate(sync_.get());
    }

    // Quom's client as the program makes it, with the role its settings give.
    void playRole(const Settings& settings)
    {
        openQuom();
        role_ = std::make_unique<JackTransportRole>(settings, tempo_);
        role_->setClient(quom_.get());
        if (role_->blockSyncSource() != nullptr)
            activate(role_->blockSyncSource());
        else
            ASSERT_EQ(jack_activate(quom_.get()), 0);
    }

    static int process(jack_nframes_t frames, void* self)
    {
        auto* test = static_cast<JackTransport*>(self);
        // The transport, not the block's frame, says where the pattern stands.
        if (auto sync = test->source_.load(std::memory_order_acquire)->blockSync({.frames = frames}))
            test->log_.add(*sync);
        return 0;
    }

    std::unique_ptr<JackTestServer> server_;
    TempoValue tempo_{120};
    Client controller_;
    BlockLog log_;
    std::unique_ptr<JackTransportSync> sync_;
    std::unique_ptr<JackTransportRole> role_;
    // Published as the back-end publishes its source: what it reads was made before.
    std::atomic<BlockSyncSource*> source_{nullptr};
    Client quom_;
};

TEST_F(JackTransport, FollowsStartStopAndLocateAtOwnTempo)
{
    follow();
    jack_transport_locate(controller_.get(), 8 * kStep120);
    auto at = log_.next([](const BlockSync& s) { return !s.rolling && s.step == 8; });
    ASSERT_TRUE(at) << "a locate while stopped was not followed";
    EXPECT_EQ(log_[*at].tempo, 120);

    jack_transport_start(controller_.get());
    const auto first = log_.next([](const BlockSync& s) { return s.rolling; });
    ASSERT_TRUE(first) << "the start was not followed";
    EXPECT_EQ(log_[*first].step, 8);
    // Rolling, the position moves by exactly one period of 256 frames a block.
    ASSERT_TRUE(waitUntil([&] { return log_.count() > *first + 40; }));
    for (std::size_t i = *first + 1; i <= *first + 40; ++i) {
        ASSERT_TRUE(log_[i].rolling);
        EXPECT_NEAR((log_[i].step - log_[i - 1].step) / log_[i - 1].stepsPerFrame, 256, 1e-6)
            << "block " << i;
    }
    EXPECT_DOUBLE_EQ(log_[*first].stepsPerFrame, 1.0 / kStep120);

    // A locate while rolling jumps back, and the transport rolls on from there.
    jack_transport_locate(controller_.get(), kStep120);
    at = log_.next([](const BlockSync& s) { return s.rolling && s.step < 2; });
    ASSERT_TRUE(at) << "a locate while rolling was not followed";
    EXPECT_GE(log_[*at].step, 1);

    jack_transport_stop(controller_.get());
    ASSERT_TRUE(log_.next([](const BlockSync& s) { return !s.rolling; })) << "the stop was not followed";

    // Quom's tempo counts the frames as soon as it changes.
    tempo_.set(60);
    jack_transport_locate(controller_.get(), 3 * kStep60);
    at = log_.next([](const BlockSync& s) { return !s.rolling && s.step == 3; });
    ASSERT_TRUE(at) << "the new tempo did not count the transport's frames";
    EXPECT_EQ(log_[*at].tempo, 60);
}

// A master of the test's own, writing a fixed bar, beat and tick.
void writeFixedPosition(jack_transport_state_t, jack_nframes_t, jack_position_t* position, int, void*)
{
    position->valid = JackPositionBBT;
    position->bar = 3;
    position->beat = 2;
    position->tick = 960;
    position->bar_start_tick = 2 * 4 * 1920;
    position->beats_per_bar = 4;
    position->beat_type = 4;
    position->ticks_per_beat = 1920;
    position->beats_per_minute = 90;
}

TEST_F(JackTransport, FollowsAMastersBarBeatAndTempoOverItsOwn)
{
    ASSERT_EQ(jack_set_timebase_callback(controller_.get(), 0, writeFixedPosition, nullptr), 0);
    ASSERT_EQ(jack_activate(controller_.get()), 0);
    follow();
    jack_transport_locate(controller_.get(), 0);
    // Bar 3, beat 2 and half a beat: (2 * 4 + 1 + 0.5) beats of four steps.
    const auto at = log_.next([](const BlockSync& s) { return s.step == 38; });
    ASSERT_TRUE(at) << "the master's bar, beat and tick were not followed";
    EXPECT_EQ(log_[*at].tempo, 90);
    EXPECT_DOUBLE_EQ(log_[*at].stepsPerFrame, 90.0 * 4 / (60 * 44100));
}

// What a client other than Quom reads once the transport stands at frame.
jack_position_t positionReadAt(jack_client_t* reader, jack_nframes_t frame)
{
    jack_transport_locate(reader, frame);
    jack_position_t position{};
    waitUntil([&] {
        jack_transport_query(reader, &position);
        return position.frame == frame && (position.valid & JackPositionBBT) != 0;
    });
    return position;
}

TEST_F(JackTransport, QuomAsTimebaseMasterIsReadByOtherClientsAndLetsGo)
{
    // Another master leads first: the setting takes the role from it.
    ASSERT_EQ(jack_set_timebase_callback(controller_.get(), 0, writeFixedPosition, nullptr), 0);
    ASSERT_EQ(jack_activate(controller_.get()), 0);
    quom_.reset(server_->open("Quom"));
    ASSERT_NE(quom_, nullptr);
    ASSERT_EQ(jack_activate(quom_.get()), 0);
    auto master = std::make_unique<JackTimebaseMaster>(quom_.get(), tempo_);
    ASSERT_TRUE(master->active());

    // Step 22 at 120: beat 5 (bar 2, beat 2) and half a beat.
    jack_position_t position = positionReadAt(controller_.get(), 22 * kStep120);
    ASSERT_EQ(position.frame, 22 * kStep120);
    EXPECT_EQ(position.bar, 2);
    EXPECT_EQ(position.beat, 2);
    EXPECT_EQ(position.tick, 960);
    EXPECT_EQ(position.bar_start_tick, 4 * 1920);
    EXPECT_EQ(position.beats_per_bar, 4);
    EXPECT_EQ(position.beat_type, 4);
    EXPECT_EQ(position.ticks_per_beat, 1920);
    // The tempo of whole-frame steps, as the engine plays it.
    EXPECT_DOUBLE_EQ(position.beats_per_minute, 44100.0 * 60 / (4 * kStep120));

    // The window changes the tempo: the next position written counts steps at 60.
    tempo_.set(60);
    position = positionReadAt(controller_.get(), 36 * kStep60);
    ASSERT_EQ(position.frame, 36 * kStep60);
    EXPECT_EQ(position.bar, 3);
    EXPECT_EQ(position.beat, 2);
    EXPECT_EQ(position.tick, 0);
    EXPECT_DOUBLE_EQ(position.beats_per_minute, 44100.0 * 60 / (4 * kStep60));

    // Turned off, Quom no longer writes a position.
    master.reset();
    jack_transport_locate(controller_.get(), 1);
    EXPECT_TRUE(waitUntil([&] {
        jack_position_t now{};
        jack_transport_query(controller_.get(), &now);
        return now.frame == 1 && (now.valid & JackPositionBBT) == 0;
    })) << "Quom kept writing the position after letting go";
}

// Whether the transport was rolling, with a master's bar, at its last cycle.
bool rollingWithBars(jack_client_t* reader)
{
    jack_position_t position{};
    return jack_transport_query(reader, &position) == JackTransportRolling
        && (position.valid & JackPositionBBT) != 0;
}

TEST_F(JackTransport, LeadingQuomsPlayAndStopMoveTheTransportAndItsStepsFallOnWholeFrames)
{
    jack_transport_locate(controller_.get(), 10 * kStep120);
    Settings settings;
    settings.transportMaster = true;
    playRole(settings);
    ASSERT_NE(role_->blockSyncSource(), nullptr);

    role_->requestStart();
    const auto first = log_.next([](const BlockSync& s) { return s.rolling; });
    ASSERT_TRUE(first) << "Play did not start the transport";
    // Play starts from the first step, as without JACK.
    EXPECT_EQ(log_[*first].step, 0);
    EXPECT_TRUE(waitUntil([&] { return rollingWithBars(controller_.get()); }))
        << "no bars written while rolling";
    // Counted from the transport's frames, not from the ticks Quom writes (which round).
    ASSERT_TRUE(waitUntil([&] { return log_.count() > *first + 20; }));
    for (std::size_t i = *first; i <= *first + 20; ++i) {
        const double frame = log_[i].step * kStep120;
        EXPECT_NEAR(frame, 256.0 * static_cast<double>(i - *first), 1e-6) << "block " << i;
    }

    role_->requestStop();
    EXPECT_TRUE(log_.next([](const BlockSync& s) { return !s.rolling; }))
        << "Stop did not stop the transport";
}

TEST_F(JackTransport, FollowingAClockQuomLeavesTheTransportAlone)
{
    Settings settings;
    settings.transportMaster = true;
    settings.syncSource = SyncSource::MidiClock;
    playRole(settings);
    EXPECT_EQ(role_->blockSyncSource(), nullptr);
    role_->requestStart();
    jack_transport_locate(controller_.get(), kStep120);
    // The locate has been heard once a client reads its frame; by then Quom's start would
    // have been too.
    jack_position_t position{};
    ASSERT_TRUE(waitUntil([&] {
        jack_transport_query(controller_.get(), &position);
        return position.frame == kStep120;
    }));
    EXPECT_EQ(jack_transport_query(controller_.get(), &position), JackTransportStopped);
    EXPECT_EQ(position.valid & JackPositionBBT, 0) << "Quom wrote bars while following a clock";
}

} // namespace
