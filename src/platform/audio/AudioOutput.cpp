#include "platform/audio/AudioOutput.h"

#include "core/audio/Engine.h"
#include "platform/audio/AudioStream.h"

#include <algorithm>

namespace quom {

AudioOutput::AudioOutput(Engine& engine)
    : engine_(engine)
{
}

AudioOutput::~AudioOutput()
{
    terminate();
    recorder_.Stop();
}

void AudioOutput::initialise()
{
    if (!stream_)
        stream_ = std::make_unique<AudioStream>();
}

void AudioOutput::terminate()
{
    stream_.reset();
}

std::vector<std::string> AudioOutput::outputDeviceNames() const
{
    return stream_ ? stream_->OutputDeviceNames() : std::vector<std::string>{};
}

std::string AudioOutput::defaultOutputDeviceName() const
{
    return stream_ ? stream_->DefaultOutputDeviceName() : std::string{};
}

bool AudioOutput::open(const std::string& deviceName, int bufferSize, int numberOfBuffers)
{
    return stream_
        && stream_->Open(stream_->FindOutputDevice(deviceName), bufferSize, numberOfBuffers, *this);
}

void AudioOutput::close()
{
    if (stream_)
        stream_->Close();
}

double AudioOutput::cpuLoad() const
{
    return stream_ ? stream_->CpuLoad() : 0.0;
}

bool AudioOutput::ToggleRecording(const std::string& folder)
{
    if (recorder_.recording()) {
        recorder_.Stop();
        return false;
    }
    return recorder_.Start(NextRecordingPath(folder));
}

void AudioOutput::Render(float* interleavedStereo, unsigned long frames) noexcept
{
    // While an export renders the engine on the window thread, the stream plays silence.
    if (engine_.offlineRender())
        std::fill(interleavedStereo, interleavedStereo + 2 * frames, 0.0f);
    else
        engine_.Render(static_cast<std::uint32_t>(frames), interleavedStereo);
    recorder_.Capture(interleavedStereo, frames);
}

} // namespace quom
