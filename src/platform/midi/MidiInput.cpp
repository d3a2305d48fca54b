#include "platform/midi/MidiInput.h"

#include "core/sync/MidiClock.h"
#include "platform/devices/DeviceLibraries.h"
#include "platform/devices/RealtimeThreads.h"
#include "platform/midi/ClockInbox.h"

#include <RtMidi.h>

#include <QMetaObject>

#include <algorithm>
#include <array>
#include <chrono>
#include <iostream>
#include <utility>

namespace quom {

namespace {

constexpr const char* kVirtualPortName = "MIDI In";
constexpr const char* kChosenPortName = "Controller In";
constexpr int kFeedInterval = 10; // milliseconds
constexpr int kFeedBatches = 16; // of 256 messages: the JACK client's ring

// RtMidi writes to std::cerr when an API cannot start, before it throws or gives up.
// A machine without an ALSA sequencer or a JACK server is normal: nothing to say.
class QuietErrorStream {
public:
    QuietErrorStream()
        : saved_(std::cerr.rdbuf(nullptr))
    {
    }
    ~QuietErrorStream() { std::cerr.rdbuf(saved_); }
    QuietErrorStream(const QuietErrorStream&) = delete;
    QuietErrorStream& operator=(const QuietErrorStream&) = delete;

private:
    std::streambuf* saved_;
};

// With an error callback RtMidi neither prints nor throws after construction; it
// calls back on the thread that made the failing call.
void noteError(RtMidiError::Type, const std::string&, void* failed)
{
    *static_cast<bool*>(failed) = true;
}

bool isShortMessage(const std::vector<unsigned char>& bytes)
{
    if (bytes.empty() || bytes.size() > 3)
        return false;
    const unsigned char status = bytes.front();
    return status >= 0x80 && status != 0xF0 && status != 0xF7;
}

// Each API delivers on threads of its own (ALSA's reader, JACK's process thread), all
// known only once they call: the first message of each asks the window thread to make
// it real-time.
void noteDeviceThread(MidiInput* input)
{
    thread_local bool noted = false;
    if (std::exchange(noted, true))
        return;
    const pid_t thread = currentThreadId();
    QMetaObject::invokeMethod(
        input, [thread] { makeThreadRealtime(thread, "MIDI"); }, Qt::QueuedConnection);
}

bool isClockMessage(const std::vector<unsigned char>& bytes)
{
    const unsigned char status = bytes.front();
    return status == kMidiClock || status == kMidiStart || status == kMidiContinue || status == kMidiStop
        || status == kMidiSongPosition;
}

std::int64_t monotonicMicros() noexcept
{
    return std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The device thread: hand the message over and touch nothing else.
void receive(double, std::vector<unsigned char>* bytes, void* target)
{
    auto* input = static_cast<MidiInput*>(target);
    noteDeviceThread(input);
    if (!isShortMessage(*bytes))
        return;
    if (isClockMessage(*bytes)) {
        // The clock followed is the audio thread's, on the same monotonic clock.
        if (ClockInbox* inbox = input->clockInbox())
            inbox->post(*bytes, monotonicMicros());
        return;
    }
    std::uint32_t packed = 0;
    for (std::size_t i = 0; i < bytes->size(); ++i)
        packed |= std::uint32_t{(*bytes)[i]} << (8 * i);
    QMetaObject::invokeMethod(
        input, [input, packed] { emit input->message(packed); }, Qt::QueuedConnection);
}

} // namespace

// One started API: an input that offers the virtual port and lists the ports, and,
// once a port of this API is chosen, one that opens it (an RtMidiIn opens one port at a
// time). Under JACK every input is a client woken each period, so the second is only
// made when it has a port to read.
struct MidiInput::Api {
    RtMidi::Api api;
    bool failed = false;
    std::unique_ptr<RtMidiIn> patchbay;
    std::unique_ptr<RtMidiIn> chosen;

    std::unique_ptr<RtMidiIn> makeInput(MidiInput* target)
    {
        auto in = std::make_unique<RtMidiIn>(api, kDeviceClientName);
        in->setErrorCallback(&noteError, &failed);
        in->setCallback(&receive, target);
        in->ignoreTypes(true, target->clockInbox() == nullptr, true);
        // JACK reports a missing server here, through the callback.
        in->getPortCount();
        return in;
    }
};

MidiInput::MidiInput(JackMidiIn jack, QObject* parent)
    : QObject(parent)
    , jack_(std::move(jack))
{
    quietDeviceLibraries();
    std::vector<RtMidi::Api> compiled;
    RtMidi::getCompiledApi(compiled);
    for (RtMidi::Api api : {RtMidi::LINUX_ALSA, RtMidi::UNIX_JACK}) {
        if (std::find(compiled.begin(), compiled.end(), api) == compiled.end())
            continue;
        if (api == RtMidi::UNIX_JACK && jack_.take)
            continue;
        auto started = std::make_unique<Api>();
        started->api = api;
        try {
            QuietErrorStream quiet;
            // The virtual port's input first: JACK numbers the clients of one name in
            // the order they open, so its port keeps its name from run to run.
            started->patchbay = started->makeInput(this);
        } catch (const RtMidiError&) {
            continue;
        }
        if (!started->failed)
            apis_.push_back(std::move(started));
    }
    if (jack_.take) {
        // A controller's move reaches the pattern within a frame of the screen.
        feedTimer_.setInterval(kFeedInterval);
        connect(&feedTimer_, &QTimer::timeout, this, &MidiInput::readFeed);
        feedTimer_.start();
    }
}

void MidiInput::setClockInbox(ClockInbox* inbox)
{
    clockInbox_.store(inbox, std::memory_order_release);
    for (const auto& api : apis_) {
        for (RtMidiIn* in : {api->patchbay.get(), api->chosen.get()}) {
            if (in)
                in->ignoreTypes(true, inbox == nullptr, true);
        }
    }
}

void MidiInput::readFeed()
{
    // At most a ring's worth a tick: a flood that refills it as fast as it is read
    // still leaves the window its events.
    std::array<std::uint32_t, 256> messages{};
    for (int batch = 0; batch < kFeedBatches; ++batch) {
        const std::size_t count = jack_.take(messages);
        for (std::size_t i = 0; i < count; ++i)
            emit message(messages[i]);
        if (count < messages.size())
            break;
    }
}

MidiInput::~MidiInput()
{
    close();
}

std::vector<std::string> MidiInput::portNames() const
{
    std::vector<std::string> names;
    for (const auto& api : apis_) {
        const unsigned count = api->patchbay->getPortCount();
        for (unsigned i = 0; i < count; ++i)
            names.push_back(api->patchbay->getPortName(i));
    }
    if (jack_.sources) {
        const std::vector<std::string> sources = jack_.sources();
        names.insert(names.end(), sources.begin(), sources.end());
    }
    return names;
}

bool MidiInput::open(int port)
{
    close();
    bool opened = false;
    int first = 0;
    for (const auto& api : apis_) {
        api->patchbay->openVirtualPort(kVirtualPortName);
        const int count = static_cast<int>(api->patchbay->getPortCount());
        if (port >= first && port < first + count) {
            try {
                QuietErrorStream quiet;
                if (!api->chosen)
                    api->chosen = api->makeInput(this);
                api->chosen->openPort(static_cast<unsigned>(port - first), kChosenPortName);
                opened = api->chosen->isPortOpen();
            } catch (const RtMidiError&) {
                api->chosen.reset();
            }
        }
        first += count;
    }
    if (jack_.sources && jack_.choose && port >= first) {
        const std::vector<std::string> sources = jack_.sources();
        if (port - first < static_cast<int>(sources.size()))
            opened = jack_.choose(sources[static_cast<std::size_t>(port - first)]);
    }
    return opened;
}

void MidiInput::close()
{
    for (const auto& api : apis_) {
        if (api->chosen)
            api->chosen->closePort();
        api->patchbay->closePort();
    }
    if (jack_.choose)
        jack_.choose({});
}

} // namespace quom
