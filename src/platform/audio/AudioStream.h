#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

typedef void PaStream;

// The one PortAudio output stream: 2 channels of 32-bit float at 44100 Hz, opened on
// a device chosen by name. Every failure leaves Quom running silent; open() says why.
// Window thread only; the source is called on the library's audio thread, which is
// made real-time once it first renders.
namespace quom {

class AudioSource;

class AudioStream {
public:
    // Initialises the library; the destructor closes the stream and terminates it.
    AudioStream();
    ~AudioStream();
    AudioStream(const AudioStream&) = delete;
    AudioStream& operator=(const AudioStream&) = delete;

    // Names of the devices with at least one output channel, in the library's order.
    std::vector<std::string> outputDeviceNames() const;
    // The first device with outputs whose name is exactly name, or -1.
    int findOutputDevice(const std::string& name) const;
    // Whether the device called name is one of the JACK host API's.
    bool isJackDevice(const std::string& name) const;
    // Name of the library's default output device; empty when there is none.
    std::string defaultOutputDeviceName() const;

    // Opens and starts the stream on device with bufferSize frames per callback.
    // numberOfBuffers 0 asks for the device's own low latency, otherwise for
    // numberOfBuffers x bufferSize frames. Nothing when the stream runs; otherwise why
    // it does not (in the library's words where it has them), and silence.
    std::optional<std::string> open(int device, int bufferSize, int numberOfBuffers, AudioSource& source);
    // Stops and closes the stream, if open.
    void close();

    bool isOpen() const noexcept { return stream_ != nullptr; }

    // The JACK server went away: the library's JACK host API still holds a client of the
    // dead server, and terminating the library would crash on it. Quom leaves the
    // library to the end of the process instead.
    void jackServerLost() noexcept { terminateLibrary_ = false; }
    // 1.0 = computing a buffer took as long as playing it; 0 without a stream.
    double cpuLoad() const;

    // What the stream's callback reaches, on the audio thread.
    struct Callback;

private:
    bool initialised() const noexcept;

    int initialiseError_; // a PaError
    bool terminateLibrary_ = true;
    PaStream* stream_ = nullptr;
    // What the open stream's callback reaches; it outlives the stream.
    std::unique_ptr<Callback> callback_;
};

} // namespace quom
