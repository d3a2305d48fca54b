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
    recorder_.stop();
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
    return stream_ ? stream_->outputDeviceNames() : std::vector<std::string>{};
}

std::string AudioOutput::defaultOutputDeviceName() const
{
    return stream_ ? stream_->defaultOutputDeviceName() : std::string{};
}

bool AudioOutput::open(const std::string& deviceName, int bufferSize, int numberOfBuffers)
{
    deviceFailure_.reset();
    if (!stream_) {
        deviceFailure_ = AudioDeviceFailure{deviceName, "the audio library was not started"};
        return false;
    }
    if (auto why = stream_->open(stream_->findOutputDevice(deviceName), bufferSize, numberOfBuffers, *this))
        deviceFailure_ = AudioDeviceFailure{deviceName, std::move(*why)};
    return !deviceFailure_;
}

void AudioOutput::close()
{
    if (stream_)
        stream_->close();
}

double AudioOutput::cpuLoad() const
{
    return stream_ ? stream_->cpuLoad() : 0.0;
}

bool AudioOutput::ToggleRecording(const std::string& folder)
{
    if (recorder_.recording()) {
        lastRecording_ = recorder_.stop();
        return false;
    }
    recordingPath_ = nextRecordingPath(folder);
    return recorder_.start(recordingPath_);
}

void AudioOutput::Render(float* interleavedStereo, const BlockTime& time) noexcept
{
    // While an export renders the pattern on engines of its own, the stream plays silence.
    if (engine_.mutedForExport()) {
        std::fill(interleavedStereo, interleavedStereo + 2 * std::size_t{time.frames}, 0.0f);
    } else {
        midiOutFeed_.beforeRender(engine_, nullptr);
        engine_.Render(time.frames, interleavedStereo);
        midiOutFeed_.afterRender(engine_, time);
    }
    recorder_.capture(interleavedStereo, time.frames);
}

} // namespace quom
