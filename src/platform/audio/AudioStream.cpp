#include "platform/audio/AudioStream.h"

#include "core/audio/AudioSource.h"
#include "platform/devices/DeviceLibraries.h"
#include "platform/devices/RealtimeThreads.h"

#include <pa_jack.h>
#include <portaudio.h>

#include <cctype>

namespace quom {

struct AudioStream::Callback {
    explicit Callback(AudioSource& renderedSource)
        : source(renderedSource)
    {
    }

    AudioSource& source;
    RealtimeRequest realtime{"audio"};
};

namespace {

constexpr double kSampleRate = 44100.0;

int renderCallback(const void*, void* output, unsigned long frames, const PaStreamCallbackTimeInfo*,
    PaStreamCallbackFlags, void* data)
{
    auto* callback = static_cast<AudioStream::Callback*>(data);
    callback->realtime.noteThread();
    callback->source.Render(static_cast<float*>(output), frames);
    return paContinue;
}

// The library's words for an error, starting lower-case to follow other words. A host
// error says more in the host's own words (a busy device, say).
std::string errorText(PaError error)
{
    const PaHostErrorInfo* host = error == paUnanticipatedHostError ? Pa_GetLastHostErrorInfo() : nullptr;
    std::string text = host && host->errorText && *host->errorText ? host->errorText : Pa_GetErrorText(error);
    if (!text.empty())
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
}

bool hasOutputs(int device)
{
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    return info && info->maxOutputChannels > 0;
}

// The JACK host API opens its client while the library initialises.
PaError initialiseLibrary()
{
    quietDeviceLibraries();
    PaJack_SetClientName(kDeviceClientName);
    return Pa_Initialize();
}

} // namespace

AudioStream::AudioStream()
    : initialiseError_(initialiseLibrary())
{
}

AudioStream::~AudioStream()
{
    close();
    if (initialised() && terminateLibrary_)
        Pa_Terminate();
}

bool AudioStream::initialised() const noexcept
{
    return initialiseError_ == paNoError;
}

std::vector<std::string> AudioStream::outputDeviceNames() const
{
    std::vector<std::string> names;
    if (!initialised())
        return names;
    for (int i = 0; i < Pa_GetDeviceCount(); ++i) {
        if (hasOutputs(i))
            names.emplace_back(Pa_GetDeviceInfo(i)->name);
    }
    return names;
}

int AudioStream::findOutputDevice(const std::string& name) const
{
    if (!initialised())
        return -1;
    for (int i = 0; i < Pa_GetDeviceCount(); ++i) {
        if (hasOutputs(i) && name == Pa_GetDeviceInfo(i)->name)
            return i;
    }
    return -1;
}

bool AudioStream::isJackDevice(const std::string& name) const
{
    const int device = findOutputDevice(name);
    if (device < 0)
        return false;
    const PaHostApiInfo* api = Pa_GetHostApiInfo(Pa_GetDeviceInfo(device)->hostApi);
    return api && api->type == paJACK;
}

std::string AudioStream::defaultOutputDeviceName() const
{
    if (!initialised())
        return {};
    const PaDeviceIndex device = Pa_GetDefaultOutputDevice();
    if (device == paNoDevice || !hasOutputs(device))
        return {};
    return Pa_GetDeviceInfo(device)->name;
}

std::optional<std::string> AudioStream::open(
    int device, int bufferSize, int numberOfBuffers, AudioSource& source)
{
    close();
    if (!initialised())
        return "the audio library did not start: " + errorText(initialiseError_);
    if (device < 0 || device >= Pa_GetDeviceCount() || !hasOutputs(device))
        return "no output device has that name";
    if (bufferSize <= 0)
        return "the buffer size is " + std::to_string(bufferSize) + " frames";

    PaStreamParameters output{};
    output.device = device;
    output.channelCount = 2;
    output.sampleFormat = paFloat32;
    output.suggestedLatency = numberOfBuffers > 0
        ? static_cast<double>(numberOfBuffers) * bufferSize / kSampleRate
        : Pa_GetDeviceInfo(device)->defaultLowOutputLatency;

    // No flags: the library's clipping and dithering of the float output stay on.
    PaStream* stream = nullptr;
    callback_ = std::make_unique<Callback>(source);
    if (const PaError error = Pa_OpenStream(&stream, nullptr, &output, kSampleRate,
            static_cast<unsigned long>(bufferSize), paNoFlag, &renderCallback, callback_.get());
        error != paNoError) {
        callback_.reset();
        return errorText(error);
    }
    if (const PaError error = Pa_StartStream(stream); error != paNoError) {
        Pa_CloseStream(stream);
        callback_.reset();
        return errorText(error);
    }
    stream_ = stream;
    return std::nullopt;
}

void AudioStream::close()
{
    if (!stream_)
        return;
    Pa_StopStream(stream_);
    Pa_CloseStream(stream_);
    stream_ = nullptr;
    callback_.reset();
}

double AudioStream::cpuLoad() const
{
    return stream_ ? Pa_GetStreamCpuLoad(stream_) : 0.0;
}

} // namespace quom
