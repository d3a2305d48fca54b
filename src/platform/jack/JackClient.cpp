#include "platform/jack/JackClient.h"

#include "core/audio/Engine.h"
#include "core/sync/MidiClockLeader.h"
#include "core/sync/MidiClockSync.h"
#include "platform/devices/DeviceLibraries.h"
#include "platform/devices/RealtimeThreads.h"
#include "platform/jack/MidiRouting.h"

#include <jack/jack.h>
#include <jack/midiport.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

namespace quom {

namespace {

constexpr const char* kOutputPortNames[2] = {"out_0", "out_1"};
constexpr const char* kMidiInPortName = "MIDI In";
constexpr const char* kMidiOutPortName = "MIDI Out";

// The port names JACK lists, freed with the list.
std::vector<std::string> portNames(jack_client_t* client, const char* type, unsigned long flags)
{
    std::vector<std::string> names;
    const char** ports = jack_get_ports(client, nullptr, type, flags);
    if (!ports)
        return names;
    for (const char** port = ports; *port; ++port)
        names.emplace_back(*port);
    jack_free(ports);
    return names;
}

bool startsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

std::unique_ptr<JackClient> JackClient::open(JackSource& source, std::string& why)
{
    quietDeviceLibraries();
    jack_status_t status{};
    jack_client_t* client = jack_client_open(kDeviceClientName, JackNoStartServer, &status);
    if (!client) {
        why = "no JACK server is running";
        return nullptr;
    }
    if (const jack_nframes_t rate = jack_get_sample_rate(client); rate != kSampleRate) {
        why = "the JACK server runs at " + std::to_string(rate) + " Hz, Quom at "
            + std::to_string(kSampleRate) + " Hz";
        jack_client_close(client);
        return nullptr;
    }
    std::unique_ptr<JackClient> opened(new JackClient(source, client));
    for (int i = 0; i < 2; ++i)
        opened->out_[i]
            = jack_port_register(client, kOutputPortNames[i], JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
    opened->midiInPort_
        = jack_port_register(client, kMidiInPortName, JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    opened->midiOutPort_
        = jack_port_register(client, kMidiOutPortName, JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    if (!opened->out_[0] || !opened->out_[1] || !opened->midiInPort_ || !opened->midiOutPort_) {
        why = "the JACK server refused Quom's ports";
        return nullptr;
    }
    jack_set_process_callback(client, &JackClient::process, opened.get());
    jack_on_info_shutdown(
        client,
        [](jack_status_t, const char*, void* self) {
            static_cast<JackClient*>(self)->lost_.store(true, std::memory_order_relaxed);
        },
        opened.get());
    return opened;
}

JackClient::JackClient(JackSource& source, jack_client_t* client)
    : source_(source)
    , client_(client)
    , interleaved_(2 * std::size_t{kMaxSliceFrames})
    , leader_(std::make_unique<MidiClockLeader>(kMaxSliceFrames))
    , audioThread_(std::make_unique<RealtimeRequest>("audio"))
    , midiThread_(std::make_unique<RealtimeRequest>("MIDI"))
{
}

JackClient::~JackClient()
{
    close();
}

std::optional<std::string> JackClient::start(const std::string& device)
{
    if (jack_activate(client_) != 0)
        return "the JACK server did not start Quom's client";
    active_ = true;
    connectOutputs(device);
    return std::nullopt;
}

void JackClient::connectOutputs(const std::string& device)
{
    const std::vector<std::string> inputs = portNames(client_, JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput);
    std::vector<std::string> targets;
    std::copy_if(inputs.begin(), inputs.end(), std::back_inserter(targets),
        [&device](const std::string& port) { return !device.empty() && startsWith(port, device + ":"); });
    if (targets.empty())
        targets = portNames(client_, JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput | JackPortIsPhysical);
    // A single playback port takes both channels, as a mono device does.
    for (std::size_t i = 0; i < 2 && !targets.empty(); ++i)
        jack_connect(client_, jack_port_name(out_[i]), targets[std::min(i, targets.size() - 1)].c_str());
}

void JackClient::close() noexcept
{
    if (!client_)
        return;
    if (active_ && !serverLost()) {
        // Two periods after the note-offs, so that the clients reading them have run too.
        // A server that stops calling back is not waited for long.
        endNotesRequested_.store(true, std::memory_order_release);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
        std::uint64_t endedAt = 0;
        while (std::chrono::steady_clock::now() < deadline) {
            const std::uint64_t cycle = cycles_.load(std::memory_order_acquire);
            if (notesEnded_.load(std::memory_order_acquire)) {
                if (endedAt == 0)
                    endedAt = cycle;
                else if (cycle >= endedAt + 2)
                    break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        jack_deactivate(client_);
    }
    jack_client_close(client_);
    client_ = nullptr;
}

double JackClient::cpuLoad() const
{
    return serverLost() ? 0.0 : load_.load(std::memory_order_relaxed);
}

std::vector<std::string> JackClient::midiDestinations() const
{
    return otherClientsMidiPorts(JackPortIsInput);
}

std::vector<std::string> JackClient::midiSources() const
{
    return otherClientsMidiPorts(JackPortIsOutput);
}

std::vector<std::string> JackClient::otherClientsMidiPorts(unsigned long flags) const
{
    if (serverLost())
        return {};
    std::vector<std::string> ports = portNames(client_, JACK_DEFAULT_MIDI_TYPE, flags);
    const std::string own = std::string(jack_get_client_name(client_)) + ":";
    std::erase_if(ports, [&own](const std::string& port) { return startsWith(port, own); });
    return ports;
}

bool JackClient::connectMidiOut(const std::string& port, bool connected)
{
    return connectPorts(jack_port_name(midiOutPort_), port.c_str(), connected);
}

bool JackClient::connectMidiIn(const std::string& port, bool connected)
{
    return connectPorts(port.c_str(), jack_port_name(midiInPort_), connected);
}

bool JackClient::connectPorts(const char* source, const char* destination, bool connected)
{
    if (serverLost())
        return false;
    if (!connected)
        return jack_disconnect(client_, source, destination) == 0;
    const int result = jack_connect(client_, source, destination);
    return result == 0 || result == EEXIST;
}

std::int64_t JackClient::clockMicros() noexcept
{
    return static_cast<std::int64_t>(jack_get_time());
}

void JackClient::noteLoad(std::uint64_t micros, std::uint32_t frames) noexcept
{
    // As PortAudio measures its streams': each period's share, low-passed.
    constexpr double kKept = 0.9;
    const double period = static_cast<double>(frames) * 1e6 / kSampleRate;
    const double share = static_cast<double>(micros) / period;
    load_.store(
        kKept * load_.load(std::memory_order_relaxed) + (1.0 - kKept) * share, std::memory_order_relaxed);
}

int JackClient::process(std::uint32_t frames, void* data) noexcept
{
    auto* self = static_cast<JackClient*>(data);
    const jack_time_t began = jack_get_time();
    self->audioThread_->noteThread();
    self->midiThread_->noteThread();

    // JACK's frame time wraps after 27 hours at 44100 Hz; the followers count on.
    const jack_nframes_t first = jack_last_frame_time(self->client_);
    if (self->cycles_.load(std::memory_order_relaxed) == 0)
        self->frame_ = first;
    else
        self->frame_ += static_cast<jack_nframes_t>(first - self->lastFirst_);
    self->lastFirst_ = first;

    self->readMidiIn(frames, self->frame_);
    auto* left = static_cast<float*>(jack_port_get_buffer(self->out_[0], frames));
    auto* right = static_cast<float*>(jack_port_get_buffer(self->out_[1], frames));
    void* midiOut = jack_port_get_buffer(self->midiOutPort_, frames);
    jack_midi_clear_buffer(midiOut);

    if (self->endNotesRequested_.load(std::memory_order_acquire)) {
        std::fill_n(left, frames, 0.0f);
        std::fill_n(right, frames, 0.0f);
        self->endNotes(midiOut);
    } else {
        const std::int64_t micros = self->hostMicrosOfFirstFrame();
        for (std::uint32_t offset = 0; offset < frames; offset += kMaxSliceFrames) {
            const std::uint32_t slice = std::min(frames - offset, kMaxSliceFrames);
            self->renderSlice(offset, slice, self->frame_ + offset,
                micros + static_cast<std::int64_t>(offset) * 1000000 / kSampleRate, left, right, midiOut);
        }
    }
    self->noteLoad(jack_get_time() - began, frames);
    self->cycles_.fetch_add(1, std::memory_order_release);
    return 0;
}

void JackClient::readMidiIn(std::uint32_t frames, std::uint64_t firstFrame) noexcept
{
    void* in = jack_port_get_buffer(midiInPort_, frames);
    MidiClockSync* receiver = clockReceiver_.load(std::memory_order_acquire);
    const std::uint32_t count = jack_midi_get_event_count(in);
    std::uint64_t dropped = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, in, i) != 0)
            continue;
        const std::span<const std::uint8_t> message(event.buffer, event.size);
        switch (routeMidiIn(message)) {
        case MidiInRoute::Clock:
            if (receiver)
                receiver->receive(message, static_cast<std::int64_t>(firstFrame + event.time));
            break;
        case MidiInRoute::Control: {
            const std::uint32_t packed = packShortMessage(message);
            if (!midiIn_.push(&packed, 1))
                ++dropped;
            break;
        }
        case MidiInRoute::Ignored:
            ++dropped;
            break;
        }
    }
    if (dropped != 0)
        droppedIn_.fetch_add(dropped, std::memory_order_relaxed);
}

std::int64_t JackClient::hostMicrosOfFirstFrame() noexcept
{
    jack_nframes_t cycleFrame = 0;
    jack_time_t cycleMicros = 0;
    jack_time_t nextMicros = 0;
    float periodMicros = 0;
    if (jack_get_cycle_times(client_, &cycleFrame, &cycleMicros, &nextMicros, &periodMicros) != 0)
        return 0;
    jack_latency_range_t latency{};
    jack_port_get_latency_range(out_[0], JackPlaybackLatency, &latency);
    return static_cast<std::int64_t>(cycleMicros) + std::int64_t{latency.max} * 1000000 / kSampleRate;
}

void JackClient::renderSlice(std::uint32_t offset, std::uint32_t frames, std::uint64_t firstFrame,
    std::int64_t hostMicros, float* left, float* right, void* midiOut) noexcept
{
    BlockSyncSource* syncSource = syncSource_.load(std::memory_order_acquire);
    std::optional<BlockSync> sync;
    if (syncSource)
        sync = syncSource->blockSync(BlockTime{firstFrame, frames, hostMicros, kSampleRate});

    Engine& engine = source_.engine();
    // Quom leads a clock only on its own steps; the clock starts with the block in which
    // the engine hears Play.
    const bool leading = clockOut_.load(std::memory_order_relaxed) && !syncSource;
    const bool playing = leading && engine.playing() && !engine.mutedForExport();
    if (playing && !leader_->playing())
        leader_->start();
    else if (!playing && leader_->playing())
        leader_->stop();
    const TempoSource* tempo = engine.tempoSource();
    const std::span<const ClockMessage> clock
        = leader_->render(frames, tempo ? tempo->tempo() : kDefaultTempo);

    const bool rendered = source_.renderBlock(interleaved_.data(), frames, sync ? &*sync : nullptr);
    for (std::uint32_t i = 0; i < frames; ++i) {
        left[offset + i] = interleaved_[2 * i];
        right[offset + i] = interleaved_[2 * i + 1];
    }
    const std::span<const MidiOutEvent> events
        = rendered ? engine.midiOut().events() : std::span<const MidiOutEvent>{};
    std::uint64_t dropped = 0;
    forEachInFrameOrder(events, clock, [&](std::uint32_t frame, std::span<const std::uint8_t> bytes) {
        if (jack_midi_event_write(midiOut, offset + frame, bytes.data(), bytes.size()) != 0)
            ++dropped;
    });
    if (dropped != 0)
        droppedOut_.fetch_add(dropped, std::memory_order_relaxed);
}

void JackClient::endNotes(void* midiOut) noexcept
{
    if (notesEnded_.load(std::memory_order_relaxed))
        return;
    MidiOutEvents& out = source_.engine().midiOut();
    out.beginBlock();
    out.allNotesOff(0);
    if (leader_->playing())
        leader_->stop();
    forEachInFrameOrder(out.events(), leader_->render(1, kDefaultTempo),
        [midiOut](std::uint32_t frame, std::span<const std::uint8_t> bytes) {
            jack_midi_event_write(midiOut, frame, bytes.data(), bytes.size());
        });
    notesEnded_.store(true, std::memory_order_release);
}

} // namespace quom
