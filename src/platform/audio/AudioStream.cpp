#include "platform/audio/AudioStream.h"

#include "core/audio/AudioSource.h"

#include <portaudio.h>

namespace quom {

namespace {

constexpr double kSampleRate = 44100.0;

int renderCallback(const void*, void* output, unsigned long frames, const PaStreamCallbackTimeInfo*,
    PaStreamCallbackFlags, void* source)
{
    static_cast<AudioSource*>(source)->Render(static_cast<float*>(output), frames);
    return paContinue;
}

bool hasOutputs(int device)
{
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    return info && info->maxOutputChannels > 0;
}

} // namespace

AudioStream::AudioStream()
    : initialised_(Pa_Initialize() == paNoError)
{
}

AudioStream::~AudioStream()
{
    close();
    if (initialised_)
        Pa_Terminate();
}

std::vector<std::string> AudioStream::outputDeviceNames() const
{
    std::vector<std::string> names;
    if (!initialised_)
        return names;
    for (int i = 0; i < Pa_GetDeviceCount(); ++i) {
        if (hasOutputs(i))
            names.emplace_back(Pa_GetDeviceInfo(i)->name);
    }
    return names;
}

int AudioStream::findOutputDevice(const std::string& name) const
{
    if (!initialised_)
        return -1;
    for (int i = 0; i < Pa_GetDeviceCount(); ++i) {
        if (hasOutputs(i) && name == Pa_GetDeviceInfo(i)->name)
            return i;
    }
    return -1;
}

std::string AudioStream::defaultOutputDeviceName() const
{
    if (!initialised_)
        return {};
    const PaDeviceIndex device = Pa_GetDefaultOutputDevice();
    if (device == paNoDevice || !hasOutputs(device))
        return {};
    return Pa_GetDeviceInfo(device)->name;
}

bool AudioStream::open(int device, int bufferSize, int numberOfBuffers, AudioSource& source)
{
    close();
    if (!initialised_ || device < 0 || device >= Pa_GetDeviceCount() || !hasOutputs(device)
        || bufferSize <= 0)
        return false;

    PaStreamParameters output{};
    output.device = device;
    output.channelCount = 2;
    output.sampleFormat = paFloat32;
    output.suggestedLatency = numberOfBuffers > 0
        ? static_cast<double>(numberOfBuffers) * bufferSize / kSampleRate
        : Pa_GetDeviceInfo(device)->defaultLowOutputLatency;

    // No flags: the library's clipping and dithering of the float output stay on.
    PaStream* stream = nullptr;
    if (Pa_OpenStream(&stream, nullptr, &output, kSampleRate, static_cast<unsigned long>(bufferSize),
            paNoFlag, &renderCallback, &source)
        != paNoError)
        return false;
    if (Pa_StartStream(stream) != paNoError) {
        Pa_CloseStream(stream);
        return false;
    }
    stream_ = stream;
    return true;
}

void AudioStream::close()
{
    if (!stream_)
        return;
    Pa_StopStream(stream_);
    Pa_CloseStream(stream_);
    stream_ = nullptr;
}

double AudioStream::cpuLoad() const
{
    return stream_ ? Pa_GetStreamCpuLoad(stream_) : 0.0;
}

} // namespace quom
