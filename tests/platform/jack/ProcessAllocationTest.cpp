#include "core/audio/AllocationCounter.h" // the core's tests'
#include "core/audio/Engine.h"
#include "core/audio/Recorder.h"
#include "core/sync/MidiClockSync.h"
#include "platform/jack/JackClient.h"
#include "support/Instruments.h"
#include "support/TempDir.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <jack/jack.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace quom {
namespace {

// A JACK server of the test's own, synchronous, with the dummy driver; stopped with
// SIGTERM when the test ends.
class TestServer {
public:
    TestServer()
    {
        const std::string name = "quom-allocation-" + std::to_string(getpid());
        setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
        setenv("JACK_NO_START_SERVER", "1", 1);
        const char* argv[]
            = {"jackd", "--no-realtime", "--sync", "-d", "dummy", "-r", "44100", "-p", "256", nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        if (posix_spawnp(&pid_, "jackd", &actions, nullptr, const_cast<char**>(argv), environ) != 0)
            pid_ = 0;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~TestServer()
    {
        if (pid_ == 0)
            return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    bool started() const noexcept { return pid_ != 0; }

private:
    pid_t pid_ = 0;
};

// The engine as the output plays it, counting from its first block on every allocation
// of the JACK process thread: the whole callback, between the blocks included.
class CountingSource final : public JackSource {
public:
    explicit CountingSource(Engine& engine, Recorder& recorder)
        : engine_(engine)
        , recorder_(recorder)
    {
    }

    bool renderBlock(float* interleavedStereo, std::uint32_t frames, const BlockSync* sync) noexcept override
    {
        thread_local AllocationCounter* counter = nullptr;
        if (!counter)
            counter = new AllocationCounter; // counts from here on, never closed
        engine_.Render(frames, interleavedStereo, sync);
        recorder_.capture(interleavedStereo, frames);
        midiMessages_.fetch_add(engine_.midiOut().events().size(), std::memory_order_relaxed);
        allocations_.store(counter->count(), std::memory_order_relaxed);
        blocks_.fetch_add(1, std::memory_order_release);
        return true;
    }
    Engine& engine() noexcept override { return engine_; }

    std::size_t allocations() const noexcept { return allocations_.load(std::memory_order_relaxed); }
    std::size_t midiMessages() const noexcept { return midiMessages_.load(std::memory_order_relaxed); }
    // Waits until count more blocks have been rendered, at most ten seconds.
    bool waitBlocks(int count) const
    {
        const int target = blocks_.load(std::memory_order_acquire) + count;
        for (int i = 0; i < 10000 && blocks_.load(std::memory_order_acquire) < target; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return blocks_.load(std::memory_order_acquire) >= target;
    }

private:
    Engine& engine_;
    Recorder& recorder_;
    std::atomic<std::size_t> allocations_{0};
    std::atomic<std::size_t> midiMessages_{0};
    std::atomic<int> blocks_{0};
};

// The client's process callback with everything it does switched on: the dense pattern
// playing with its MIDI out and a clock out, both looped back into its own MIDI In (a
// flood of channel messages that fills the window's ring, and the clock for a follower),
// then following that clock, then stopping.
TEST(JackProcessAllocations, TheProcessCallbackAllocatesNothing)
{
    int argc = 1;
    char name[] = "quom_jack_allocation_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    TestServer server;
    if (!server.started())
        GTEST_SKIP() << "jackd cannot be started";

    LiveGrid grid;
    for (int i = 0; i < kCells; ++i)
        grid.set(i, makeCell(200, static_cast<std::uint8_t>(i), 128) | 1);
    auto kit = std::make_shared<CKit>();
    for (int s = 0; s < kKitSlots; ++s)
        kit->slot(s) = instrumentOf(std::vector<float>(500 + 97 * static_cast<std::size_t>(s), 0.25f));
    TempoValue tempo(300);
    Engine engine;
    engine.setKit(kit);
    engine.setPattern(&grid);
    engine.setTempoSource(&tempo);
    TempDir dir;
    Recorder recorder;
    ASSERT_TRUE(recorder.start(dir.file("take.wav")));
    CountingSource source(engine, recorder);
    MidiClockSync clock(MidiClockSync::Timebase::Frames, 44100, 120);

    std::unique_ptr<JackClient> client;
    std::string why;
    for (int i = 0; i < 100 && !client; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        client = JackClient::open(source, why);
    }
    if (!client)
        GTEST_SKIP() << "the test's JACK server did not answer: " << why;
    client->setClockOut(true);
    client->setClockReceiver(&clock);
    ASSERT_FALSE(client->start(""));
    const std::string own = jack_get_client_name(client->handle());
    ASSERT_TRUE(client->connectMidiIn(own + ":MIDI Out"));

    engine.setPlaying(true);
    ASSERT_TRUE(source.waitBlocks(200));
    client->setBlockSyncSource(&clock);
    ASSERT_TRUE(source.waitBlocks(100));
    client->setBlockSyncSource(nullptr);
    engine.setPlaying(false);
    ASSERT_TRUE(source.waitBlocks(20));

    EXPECT_EQ(source.allocations(), 0u);
    EXPECT_GT(source.midiMessages(), 0u);
    EXPECT_GT(client->droppedMidiIn(), 0u); // the flood overflowed the ring, which nobody read
    client.reset();
    EXPECT_TRUE(recorder.stop());
}

} // namespace
} // namespace quom
