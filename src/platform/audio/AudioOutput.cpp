#include "platform/audio/AudioOutput.h"

#include "core/audio/Engine.h"
#include "platform/audio/AudioStream.h"
#include "platform/jack/JackClient.h"
#include "platform/midi/ClockInbox.h"

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
    if (stream_)
        return;
    // PortAudio's JACK host API opens a client of the same name as it starts: the one
    // that plays must come first to be "Quom".
    std::string why;
    jack_ = JackClient::open(*this, why);
    stream_ = std::make_unique<AudioStream>();
}

void AudioOutput::terminate()
{
    close();
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
    if (stream_)
        stream_->close();
    // A client that already plays starts afresh, connected to the new device alone.
    if (usesJack_)
        closeJack();
    if (wantsJack(deviceName)) {
        std::optional<std::string> why = openJack(deviceName);
        if (!why)
            return true;
        // PortAudio's JACK host API could do no better on that server; with no device
        // chosen, its default device may still play.
        if (!deviceName.empty()) {
            deviceFailure_ = AudioDeviceFailure{deviceName, std::move(*why)};
            return false;
        }
    }
    closeJack();
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
    closeJack();
    if (stream_)
        stream_->close();
}

double AudioOutput::cpuLoad() const
{
    if (jack_)
        return jack_->cpuLoad();
    return stream_ ? stream_->cpuLoad() : 0.0;
}

bool AudioOutput::wantsJack(const std::string& deviceName) const
{
    return deviceName.empty() || (stream_ && stream_->isJackDevice(deviceName));
}

std::optional<std::string> AudioOutput::openJack(const std::string& deviceName)
{
    if (!jack_) {
        std::string why;
        jack_ = JackClient::open(*this, why);
        if (!jack_)
            return why;
    }
    jack_->setBlockSyncSource(syncSource_);
    jack_->setClockReceiver(clockReceiver_);
    jack_->setClockOut(clockOut_);
    if (auto why = jack_->start(deviceName)) {
        jack_.reset();
        return why;
    }
    if (!midiOutPort_.empty())
        jack_->connectMidiOut(midiOutPort_);
    if (!midiInPort_.empty())
        jack_->connectMidiIn(midiInPort_);
    usesJack_ = true;
    jackDevice_ = deviceName;
    if (clientListener_)
        clientListener_(jack_->handle());
    return std::nullopt;
}

void AudioOutput::closeJack()
{
    usesJack_ = false;
    if (!jack_)
        return;
    if (clientListener_)
        clientListener_(nullptr);
    jack_.reset();
}

AudioOutput::ServerChange AudioOutput::checkServer()
{
    if (!usesJack_)
        return ServerChange::None;
    if (jack_ && jack_->serverLost()) {
        if (clientListener_)
            clientListener_(nullptr);
        jack_.reset();
        if (stream_)
            stream_->jackServerLost();
        return ServerChange::Lost;
    }
    // With no server, opening fails at once: the window is not held up.
    if (!jack_ && !openJack(jackDevice_))
        return ServerChange::Returned;
    return ServerChange::None;
}

void AudioOutput::setBlockSyncSource(BlockSyncSource* source) noexcept
{
    syncSource_ = source;
    streamSyncSource_.store(source, std::memory_order_release);
    if (jack_)
        jack_->setBlockSyncSource(source);
}

void AudioOutput::setClockReceiver(MidiClockSync* receiver) noexcept
{
    clockReceiver_ = receiver;
    streamClockReceiver_.store(receiver, std::memory_order_release);
    if (jack_)
        jack_->setClockReceiver(receiver);
}

void AudioOutput::setClockOut(bool on) noexcept
{
    clockOut_ = on;
    midiOutFeed_.setClockOut(on);
    if (jack_)
        jack_->setClockOut(on);
}

void AudioOutput::setJackClientListener(std::function<void(jack_client_t*)> listener)
{
    clientListener_ = std::move(listener);
    if (clientListener_)
        clientListener_(usesJack_ ? jackClient() : nullptr);
}

jack_client_t* AudioOutput::jackClient() const noexcept
{
    return jack_ ? jack_->handle() : nullptr;
}

std::size_t AudioOutput::takeJackMidiIn(std::span<std::uint32_t> out) noexcept
{
    return jack_ ? jack_->takeMidiIn(out) : 0;
}

std::vector<std::string> AudioOutput::jackMidiDestinations() const
{
    return jack_ && usesJack_ ? jack_->midiDestinations() : std::vector<std::string>{};
}

std::vector<std::string> AudioOutput::jackMidiSources() const
{
    return jack_ && usesJack_ ? jack_->midiSources() : std::vector<std::string>{};
}

bool AudioOutput::connectJackMidiOut(const std::string& port)
{
    return chooseJackPort(midiOutPort_, port, &JackClient::connectMidiOut);
}

bool AudioOutput::connectJackMidiIn(const std::string& port)
{
    return chooseJackPort(midiInPort_, port, &JackClient::connectMidiIn);
}

bool AudioOutput::chooseJackPort(
    std::string& chosen, const std::string& port, bool (JackClient::*connect)(const std::string&, bool))
{
    const bool running = jack_ && usesJack_;
    if (running && !chosen.empty())
        (jack_.get()->*connect)(chosen, false);
    chosen = port;
    return running && !port.empty() && (jack_.get()->*connect)(port, true);
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
    // Under PortAudio the followed source (a Link session) answers here, and the MIDI out
    // goes to a back-end that schedules it ahead.
    MidiClockSync* clock = streamClockReceiver_.load(std::memory_order_acquire);
    ClockInbox* inbox = streamClockInbox_.load(std::memory_order_acquire);
    if (clock && inbox)
        inbox->deliver(*clock);
    BlockSyncSource* source = streamSyncSource_.load(std::memory_order_acquire);
    const std::optional<BlockSync> sync = source ? source->blockSync(time) : std::nullopt;
    const BlockSync* followed = sync ? &*sync : nullptr;
    midiOutFeed_.beforeRender(engine_, followed);
    if (renderBlock(interleavedStereo, time.frames, followed))
        midiOutFeed_.afterRender(engine_, time);
}

bool AudioOutput::renderBlock(float* interleavedStereo, std::uint32_t frames, const BlockSync* sync) noexcept
{
    // While an export renders the pattern on engines of its own, the stream plays silence.
    const bool muted = engine_.mutedForExport();
    if (muted)
        std::fill(interleavedStereo, interleavedStereo + 2 * std::size_t{frames}, 0.0f);
    else
        engine_.Render(frames, interleavedStereo, sync);
    recorder_.capture(interleavedStereo, frames);
    return !muted;
}

} // namespace quom
