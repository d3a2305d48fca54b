#pragma once

#include "core/audio/AudioSource.h"
#include "core/audio/MidiOutFeed.h"
#include "core/audio/Recorder.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// What Quom plays through: the engine rendered into the PortAudio stream, and the
// recording taken from the same buffers. Without initialise(), or when the device
// cannot be opened, Quom runs silent and records nothing; deviceFailure() says why.
// Window thread only; the stream's audio thread calls the private Render.
namespace quom {

class AudioStream;
class Engine;

// Why the output device gives no sound.
struct AudioDeviceFailure {
    std::string device; // the name asked for; empty when there was none to ask for
    std::string reason; // starts lower-case
};

class AudioOutput : private AudioSource {
public:
    explicit AudioOutput(Engine& engine);
    // Closes the stream and ends a recording in progress.
    ~AudioOutput() override;
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // Initialises the audio library.
    void initialise();
    // Closes the stream and terminates the audio library.
    void terminate();

    // Names of the devices with outputs, in the library's order; empty before initialise().
    std::vector<std::string> outputDeviceNames() const;
    // Empty when there is none.
    std::string defaultOutputDeviceName() const;

    // Opens and starts the stream on the output device called deviceName, with
    // bufferSize frames per callback; numberOfBuffers 0 asks for the device's own low
    // latency. False, and silence, when it fails.
    bool open(const std::string& deviceName, int bufferSize, int numberOfBuffers);
    // Why the last open() left Quom silent; nothing when it plays or before any open().
    const std::optional<AudioDeviceFailure>& deviceFailure() const noexcept { return deviceFailure_; }
    // Stops and closes the stream: after it the engine is no longer rendered.
    void close();
    // 1.0 = computing a buffer took as long as playing it; 0 without a stream.
    double cpuLoad() const;

    // Each block's MIDI out, for a back-end that schedules it (AlsaMidiOut).
    MidiOutFeed& midiOutFeed() noexcept { return midiOutFeed_; }

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

    Engine& engine_;
    MidiOutFeed midiOutFeed_;
    Recorder recorder_;
    std::optional<RecordingReport> lastRecording_;
    std::string recordingPath_;
    std::optional<AudioDeviceFailure> deviceFailure_;
    std::unique_ptr<AudioStream> stream_;
};

} // namespace quom
