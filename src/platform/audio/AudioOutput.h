#pragma once

#include "core/audio/AudioSource.h"
#include "core/audio/MidiOutFeed.h"
#include "core/audio/Recorder.h"
#include "platform/jack/JackSource.h"

#include <jack/types.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

// What Quom plays through: the engine rendered into Quom's own JACK client when a JACK
// server answers and the device chosen is JACK's (or none is), into the PortAudio stream
// otherwise; and the recording taken from the same buffers. Without initialise(), or
// when the device cannot be opened, Quom runs silent and records nothing;
// deviceFailure() says why. Should the JACK server go away, Quom plays on silent and
// checkServer() reopens the client when a server answers again.
// Window thread only; the audio thread calls the private Render and renderBlock.
namespace quom {

class AudioStream;
class ClockInbox;
class BlockSyncSource;
class Engine;
class JackClient;
class MidiClockSync;

// Why the output device gives no sound.
struct AudioDeviceFailure {
    std::string device; // the name asked for; empty when there was none to ask for
    std::string reason; // starts lower-case
};

class AudioOutput : private AudioSource, private JackSource {
public:
    explicit AudioOutput(Engine& engine);
    // Closes the stream and ends a recording in progress.
    ~AudioOutput() override;
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // Opens Quom's JACK client where a server answers, before the audio library, so that
    // the client is "Quom"; then initialises the library.
    void initialise();
    // Closes the stream and terminates the audio library.
    void terminate();

    // Names of the devices with outputs, in the library's order; empty before initialise().
    std::vector<std::string> outputDeviceNames() const;
    // Empty when there is none.
    std::string defaultOutputDeviceName() const;

    // Opens and starts the stream on the output device called deviceName, with
    // bufferSize frames per callback; numberOfBuffers 0 asks for the device's own low
    // latency. A device of PortAudio's JACK host API, or none, plays through Quom's own
    // JACK client where a server answers (at the server's period). False, and silence,
    // when it fails.
    bool open(const std::string& deviceName, int bufferSize, int numberOfBuffers);
    // Why the last open() left Quom silent; nothing when it plays or before any open().
    const std::optional<AudioDeviceFailure>& deviceFailure() const noexcept { return deviceFailure_; }
    // Stops and closes the stream: after it the engine is no longer rendered.
    void close();
    // 1.0 = computing a buffer took as long as playing it; 0 without a stream.
    double cpuLoad() const;

    // Each block's MIDI out, for a back-end that schedules it (AlsaMidiOut).
    MidiOutFeed& midiOutFeed() noexcept { return midiOutFeed_; }

    // Quom plays through its own JACK client (which may be waiting for its server).
    bool usesJack() const noexcept { return usesJack_; }
    enum class ServerChange : std::uint8_t { None, Lost, Returned };
    // Called every second or so: closes the client of a server that went away, and
    // reopens it, with its connections and hooks, once a server answers again.
    ServerChange checkServer();

    // What others plug into the JACK client; kept across its reopening. An object
    // installed must outlive its installation (null removes it).
    void setBlockSyncSource(BlockSyncSource* source) noexcept;
    void setClockReceiver(MidiClockSync* receiver) noexcept;
    // Under PortAudio, the clock messages a MIDI device thread posts for the receiver;
    // null: none. It must outlive its installation.
    void setClockInbox(ClockInbox* inbox) noexcept
    {
        streamClockInbox_.store(inbox, std::memory_order_release);
    }
    void setClockOut(bool on) noexcept;
    // Hears the client's handle after each opening and null before each closing, for
    // the transport and timebase code that works on it; called at once with the current one.
    void setJackClientListener(std::function<void(jack_client_t*)> listener);
    jack_client_t* jackClient() const noexcept;

    // MIDI In's channel messages under the JACK client, oldest first (MidiInput's feed).
    std::size_t takeJackMidiIn(std::span<std::uint32_t> out) noexcept;
    // The JACK MIDI ports MIDI Out can send to, and MIDI In can read; empty without the client.
    std::vector<std::string> jackMidiDestinations() const;
    std::vector<std::string> jackMidiSources() const;
    // Connects "Quom:MIDI Out" to port, or port to "Quom:MIDI In", in place of the port
    // chosen before, now and whenever the client reopens; empty: none. False when port
    // cannot be connected now.
    bool connectJackMidiOut(const std::string& port);
    bool connectJackMidiIn(const std::string& port);

    // The Record command: starts a new numbered recording in folder, or completes the
    // one in progress. Returns whether a recording is now running; a file that cannot
    // be created leaves recording off.
    bool ToggleRecording(const std::string& folder);
    bool recording() const noexcept { return recorder_.recording(); }
    // The file of the recording running, or of the last one started or tried.
    const std::string& recordingPath() const noexcept { return recordingPath_; }
    // How the last completed recording ended, once; nothing when none ended since.
    std::optional<RecordingReport> takeRecordingReport()
    {
        return std::exchange(lastRecording_, std::nullopt);
    }

private:
    void Render(float* interleavedStereo, const BlockTime& time) noexcept override;
    bool renderBlock(float* interleavedStereo, std::uint32_t frames, const BlockSync* sync) noexcept override;
    Engine& engine() noexcept override { return engine_; }
    bool wantsJack(const std::string& deviceName) const;
    // Opens (or takes the client initialise() opened), installs the hooks and starts it.
    // Nothing when it runs, otherwise why not.
    std::optional<std::string> openJack(const std::string& deviceName);
    void closeJack();
    // Connects port in place of chosen through connect, and keeps it as chosen.
    bool chooseJackPort(
        std::string& chosen, const std::string& port, bool (JackClient::*connect)(const std::string&, bool));

    Engine& engine_;
    MidiOutFeed midiOutFeed_;
    Recorder recorder_;
    std::optional<RecordingReport> lastRecording_;
    std::string recordingPath_;
    std::optional<AudioDeviceFailure> deviceFailure_;
    std::unique_ptr<AudioStream> stream_;

    std::unique_ptr<JackClient> jack_;
    bool usesJack_ = false;
    std::string jackDevice_;
    std::string midiOutPort_;
    std::string midiInPort_;
    BlockSyncSource* syncSource_ = nullptr;
    std::atomic<BlockSyncSource*> streamSyncSource_{nullptr}; // what the PortAudio callback reads
    MidiClockSync* clockReceiver_ = nullptr;
    // What the PortAudio callback reads.
    std::atomic<MidiClockSync*> streamClockReceiver_{nullptr};
    std::atomic<ClockInbox*> streamClockInbox_{nullptr};
    bool clockOut_ = false;
    std::function<void(jack_client_t*)> clientListener_;
};

} // namespace quom
