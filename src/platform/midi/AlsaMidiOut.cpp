#include "platform/midi/AlsaMidiOut.h"

#include "core/audio/HeldNotes.h"
#include "core/audio/MidiOutFeed.h"
#include "core/audio/QueueClock.h"
#include "platform/devices/DeviceLibraries.h"

#include <alsa/asoundlib.h>

#include <array>
#include <chrono>
#include <optional>

namespace quom {

namespace {

constexpr const char* kPortName = "MIDI Out";
// The queue's timer ticks this often: a message leaves within a tick of its time. The
// sequencer allows up to 6250 Hz; its default is 1000.
constexpr unsigned kQueueTimerHz = 4000;
// Room in the kernel for messages scheduled and not yet due (the most it allows): a dense
// pattern sends some two hundred a step, and the queue holds what one output latency spans.
constexpr int kOutputPool = 2000;
// How often the queue's clock is read against the host's, as the two drift apart.
constexpr auto kAnchorEvery = std::chrono::seconds(1);
// How long the scheduling thread sleeps when the feed is empty: the audio callback
// never wakes it, since that would be a system call.
constexpr auto kIdleWait = std::chrono::milliseconds(1);
constexpr std::size_t kBatch = 512;

std::int64_t hostNanos()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool takesMidi(const snd_seq_port_info_t* port)
{
    constexpr unsigned kWanted = SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;
    const unsigned caps = snd_seq_port_info_get_capability(port);
    return (caps & kWanted) == kWanted && !(caps & SND_SEQ_PORT_CAP_NO_EXPORT);
}

struct Address {
    int client;
    int port;
    std::string name;
};

} // namespace

struct AlsaMidiOut::Sequencer {
    snd_seq_t* seq = nullptr;
    snd_midi_event_t* encoder = nullptr;
    int port = -1;
    int queue = -1;
    std::optional<snd_seq_addr_t> destination;
    QueueClock clock;
    std::chrono::steady_clock::time_point anchoredAt;
    HeldNotes held;

    ~Sequencer()
    {
        if (encoder)
            snd_midi_event_free(encoder);
        if (seq)
            snd_seq_close(seq);
    }

    // Every port of another client that takes MIDI, in the sequencer's order.
    std::vector<Address> destinations() const
    {
        std::vector<Address> found;
        snd_seq_client_info_t* clientInfo = nullptr;
        snd_seq_port_info_t* portInfo = nullptr;
        snd_seq_client_info_alloca(&clientInfo);
        snd_seq_port_info_alloca(&portInfo);
        const int self = snd_seq_client_id(seq);
        snd_seq_client_info_set_client(clientInfo, -1);
        while (snd_seq_query_next_client(seq, clientInfo) >= 0) {
            const int client = snd_seq_client_info_get_client(clientInfo);
            if (client == self || client == SND_SEQ_CLIENT_SYSTEM)
                continue;
            snd_seq_port_info_set_client(portInfo, client);
            snd_seq_port_info_set_port(portInfo, -1);
            while (snd_seq_query_next_port(seq, portInfo) >= 0) {
                if (!takesMidi(portInfo))
                    continue;
                const int port = snd_seq_port_info_get_port(portInfo);
                found.push_back({client, port,
                    std::string(snd_seq_client_info_get_name(clientInfo)) + ":"
                        + snd_seq_port_info_get_name(portInfo) + " " + std::to_string(client) + ":"
                        + std::to_string(port)});
            }
        }
        return found;
    }

    // Reads the queue's time between two readings of the host's.
    void anchor()
    {
        snd_seq_queue_status_t* status = nullptr;
        snd_seq_queue_status_alloca(&status);
        const std::int64_t before = hostNanos();
        if (snd_seq_get_queue_status(seq, queue, status) < 0)
            return;
        const std::int64_t after = hostNanos();
        const snd_seq_real_time_t* time = snd_seq_queue_status_get_real_time(status);
        clock.anchor(before, std::int64_t{time->tv_sec} * 1'000'000'000 + time->tv_nsec, after);
        anchoredAt = std::chrono::steady_clock::now();
    }

    // The message as a sequencer event from "MIDI Out" to its subscribers; false for
    // bytes the encoder does not make a whole event of.
    bool encode(const std::uint8_t* bytes, std::size_t size, snd_seq_event_t& event)
    {
        snd_seq_ev_clear(&event);
        snd_midi_event_reset_encode(encoder);
        if (snd_midi_event_encode(encoder, bytes, static_cast<long>(size), &event) <= 0
            || event.type == SND_SEQ_EVENT_NONE)
            return false;
        snd_seq_ev_set_source(&event, port);
        snd_seq_ev_set_subs(&event);
        return true;
    }

    void schedule(const TimedMidiMessage& message)
    {
        snd_seq_event_t event;
        if (!encode(message.bytes.data(), message.size, event))
            return;
        const std::int64_t due = clock.queueTime(message.heardNanos);
        snd_seq_real_time_t time{
            static_cast<unsigned>(due / 1'000'000'000), static_cast<unsigned>(due % 1'000'000'000)};
        snd_seq_ev_schedule_real(&event, queue, 0, &time);
        if (snd_seq_event_output(seq, &event) >= 0)
            held.scheduled(message);
    }

    // Now, past the queue: to the subscribers, or to one port.
    void sendDirect(const std::array<std::uint8_t, 3>& bytes, const snd_seq_addr_t* to)
    {
        snd_seq_event_t event;
        if (!encode(bytes.data(), bytes.size(), event))
            return;
        if (to)
            snd_seq_ev_set_dest(&event, to->client, to->port);
        snd_seq_ev_set_direct(&event);
        snd_seq_event_output(seq, &event);
    }
};

AlsaMidiOut::AlsaMidiOut(MidiOutFeed& feed)
    : feed_(feed)
{
    quietDeviceLibraries();
    auto sequencer = std::make_unique<Sequencer>();
    if (snd_seq_open(&sequencer->seq, "default", SND_SEQ_OPEN_OUTPUT, 0) < 0) {
        sequencer->seq = nullptr;
        return;
    }
    snd_seq_set_client_name(sequencer->seq, kDeviceClientName);
    sequencer->port = snd_seq_create_simple_port(sequencer->seq, kPortName,
        SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
        SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    sequencer->queue = snd_seq_alloc_named_queue(sequencer->seq, kDeviceClientName);
    if (sequencer->port < 0 || sequencer->queue < 0 || snd_midi_event_new(16, &sequencer->encoder) < 0)
        return;
    snd_seq_set_client_pool_output(sequencer->seq, kOutputPool);
    // A finer timer where the sequencer allows it; the default one otherwise.
    snd_seq_queue_timer_t* timer = nullptr;
    snd_seq_queue_timer_alloca(&timer);
    if (snd_seq_get_queue_timer(sequencer->seq, sequencer->queue, timer) >= 0) {
        snd_seq_queue_timer_set_resolution(timer, kQueueTimerHz);
        snd_seq_set_queue_timer(sequencer->seq, sequencer->queue, timer);
    }
    if (snd_seq_start_queue(sequencer->seq, sequencer->queue, nullptr) < 0
        || snd_seq_drain_output(sequencer->seq) < 0)
        return;
    sequencer->anchor();
    sequencer_ = std::move(sequencer);
    feed_.setEnabled(true);
    thread_ = std::thread(&AlsaMidiOut::run, this);
}

AlsaMidiOut::~AlsaMidiOut()
{
    feed_.setEnabled(false);
    stopping_.store(true);
    if (thread_.joinable())
        thread_.join();
    if (sequencer_) {
        // Stopped, the queue sends nothing more, so no note waiting in it starts after the
        // note-offs.
        snd_seq_stop_queue(sequencer_->seq, sequencer_->queue, nullptr);
        endHeldNotes();
        snd_seq_drain_output(sequencer_->seq);
    }
}

int AlsaMidiOut::client() const noexcept
{
    return sequencer_ ? snd_seq_client_id(sequencer_->seq) : -1;
}

int AlsaMidiOut::port() const noexcept
{
    return sequencer_ ? sequencer_->port : -1;
}

std::vector<std::string> AlsaMidiOut::destinationNames() const
{
    std::vector<std::string> names;
    if (sequencer_) {
        std::lock_guard lock(mutex_);
        for (Address& address : sequencer_->destinations())
            names.push_back(std::move(address.name));
    }
    return names;
}

bool AlsaMidiOut::connect(int destination)
{
    if (!sequencer_)
        return false;
    std::lock_guard lock(mutex_);
    Sequencer& s = *sequencer_;
    const std::vector<Address> destinations = s.destinations();
    if (s.destination) {
        endHeldNotes();
        snd_seq_drain_output(s.seq);
        snd_seq_disconnect_to(s.seq, s.port, s.destination->client, s.destination->port);
        s.destination.reset();
    }
    if (destination < 0 || destination >= static_cast<int>(destinations.size()))
        return destination < 0;
    const Address& chosen = destinations[static_cast<std::size_t>(destination)];
    if (snd_seq_connect_to(s.seq, s.port, chosen.client, chosen.port) < 0)
        return false;
    s.destination
        = snd_seq_addr_t{static_cast<unsigned char>(chosen.client), static_cast<unsigned char>(chosen.port)};
    return true;
}

void AlsaMidiOut::endHeldNotes()
{
    Sequencer& s = *sequencer_;
    for (const auto& noteOff : s.held.owed(hostNanos()))
        s.sendDirect(noteOff, nullptr);
    s.held.clear();
}

void AlsaMidiOut::run()
{
    realtime_.noteThread();
    std::array<TimedMidiMessage, kBatch> batch;
    while (!stopping_.load()) {
        const std::size_t taken = feed_.take(batch);
        {
            std::lock_guard lock(mutex_);
            Sequencer& s = *sequencer_;
            if (std::chrono::steady_clock::now() - s.anchoredAt >= kAnchorEvery)
                s.anchor();
            for (std::size_t i = 0; i < taken; ++i)
                s.schedule(batch[i]);
            if (taken > 0)
                snd_seq_drain_output(s.seq);
        }
        if (taken == 0)
            std::this_thread::sleep_for(kIdleWait);
    }
}

} // namespace quom
