#pragma once

#include "core/audio/SpscRing.h"
#include "core/sync/BlockSync.h"
#include "platform/jack/JackSource.h"

#include <jack/types.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Quom's native JACK client "Quom": its sound (ports out_0 and out_1), its "MIDI In" and
// its "MIDI Out", all in one process callback, so that every MIDI event carries the
// frame of the step it belongs to. Never starts a server.
//
// Each period the callback (a) reads MIDI In: clock messages go to the installed clock
// receiver with their frame, channel messages to a ring the window thread empties
// (takeMidiIn), the rest is dropped and counted; (b) asks the installed block sync
// source where the pattern stands and renders the block; (c) writes the engine's MIDI
// out and, when Quom leads a clock, the clock's messages in frame order.
//
// Threads: the process callback allocates, locks, logs and waits on nothing. The hooks
// (setBlockSyncSource, setClockReceiver, setClockOut) are atomics for any thread; an
// object installed must outlive its installation. Everything else: window thread.
namespace quom {

class MidiClockLeader;
class MidiClockSync;
class RealtimeRequest;

class JackClient {
public:
    // The longest slice rendered at once; a longer period is rendered in slices, so a
    // change of buffer size never reallocates anything.
    static constexpr std::uint32_t kMaxSliceFrames = 8192;
    static constexpr int kSampleRate = 44100;

    // Opens the client and its ports, not yet running. Null when no server answers or
    // it cannot play Quom's sound; why says why.
    static std::unique_ptr<JackClient> open(JackSource& source, std::string& why);
    // The clock the blocks' host times are on (BlockTime::hostMicros), in microseconds;
    // readable once a client has been opened.
    static std::int64_t clockMicros() noexcept;
    // Ends the notes still sounding on MIDI Out, then closes the client.
    ~JackClient();
    JackClient(const JackClient&) = delete;
    JackClient& operator=(const JackClient&) = delete;

    // Starts processing and connects the outputs to the input ports of the client
    // called device (empty: the physical playback ports). Nothing when it runs.
    std::optional<std::string> start(const std::string& device);

    jack_client_t* handle() const noexcept { return client_; }
    // The server went away; the client is dead and only good for closing. Any thread.
    bool serverLost() const noexcept { return lost_.load(std::memory_order_relaxed); }
    // 1.0 = Quom's callback took its whole period.
    double cpuLoad() const;

    void setBlockSyncSource(BlockSyncSource* source) noexcept
    {
        syncSource_.store(source, std::memory_order_release);
    }
    void setClockReceiver(MidiClockSync* receiver) noexcept
    {
        clockReceiver_.store(receiver, std::memory_order_release);
    }
    // On: MIDI Out carries Quom's clock while it plays and follows no source.
    void setClockOut(bool on) noexcept { clockOut_.store(on, std::memory_order_relaxed); }

    // Channel messages read from MIDI In since the last call, up to out.size(), oldest
    // first; returns how many.
    std::size_t takeMidiIn(std::span<std::uint32_t> out) noexcept
    {
        return midiIn_.pop(out.data(), out.size());
    }
    // MIDI In messages dropped: not wanted, or the ring was full. Any thread.
    std::uint64_t droppedMidiIn() const noexcept { return droppedIn_.load(std::memory_order_relaxed); }
    // MIDI Out messages that did not fit in their period. Any thread.
    std::uint64_t droppedMidiOut() const noexcept { return droppedOut_.load(std::memory_order_relaxed); }

    // The MIDI input ports of the other clients: where MIDI Out can go.
    std::vector<std::string> midiDestinations() const;
    // The MIDI output ports of the other clients: what MIDI In can read.
    std::vector<std::string> midiSources() const;
    // Connects MIDI Out to port (a name of midiDestinations()), or port (of midiSources())
    // to MIDI In, or undoes it; false when it cannot.
    bool connectMidiOut(const std::string& port, bool connected = true);
    bool connectMidiIn(const std::string& port, bool connected = true);

private:
    explicit JackClient(JackSource& source, jack_client_t* client);
    static int process(std::uint32_t frames, void* data) noexcept;
    void noteLoad(std::uint64_t micros, std::uint32_t frames) noexcept;
    void readMidiIn(std::uint32_t frames, std::uint64_t firstFrame) noexcept;
    void renderSlice(std::uint32_t offset, std::uint32_t frames, std::uint64_t firstFrame,
        std::int64_t hostMicros, float* left, float* right, void* midiOut) noexcept;
    void endNotes(void* midiOut) noexcept;
    std::int64_t hostMicrosOfFirstFrame() noexcept;
    void connectOutputs(const std::string& device);
    std::vector<std::string> otherClientsMidiPorts(unsigned long flags) const;
    bool connectPorts(const char* source, const char* destination, bool connected);
    void close() noexcept;

    JackSource& source_;
    jack_client_t* client_;
    jack_port_t* out_[2] = {};
    jack_port_t* midiInPort_ = nullptr;
    jack_port_t* midiOutPort_ = nullptr;
    bool active_ = false;

    std::atomic<bool> lost_{false};
    std::atomic<BlockSyncSource*> syncSource_{nullptr};
    std::atomic<MidiClockSync*> clockReceiver_{nullptr};
    std::atomic<bool> clockOut_{false};
    std::atomic<std::uint64_t> droppedIn_{0};
    std::atomic<std::uint64_t> droppedOut_{0};
    // Closing asks the callback to end the notes; it answers once they are written.
    std::atomic<bool> endNotesRequested_{false};
    std::atomic<bool> notesEnded_{false};
    std::atomic<std::uint64_t> cycles_{0};
    // The callback's own share of its period, smoothed; the server's load counts every client.
    std::atomic<double> load_{0.0};
    SpscRing<std::uint32_t> midiIn_{4096};

    // Audio thread only.
    std::uint64_t frame_ = 0; // the period's first frame, counted on past JACK's wrap
    std::uint32_t lastFirst_ = 0;
    std::vector<float> interleaved_; // kMaxSliceFrames stereo frames, sized once
    std::unique_ptr<MidiClockLeader> leader_; // made once, for kMaxSliceFrames
    std::unique_ptr<RealtimeRequest> audioThread_;
    // The same thread reads MIDI In.
    std::unique_ptr<RealtimeRequest> midiThread_;
};

} // namespace quom
