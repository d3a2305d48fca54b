#pragma once

#include <QObject>
#include <QTimer>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

// MIDI input through RtMidi, over the ALSA sequencer and then JACK, each where it
// runs. A machine with neither simply has no ports, and Quom plays on without MIDI.
//
// Threads. Every member is for the window thread. RtMidi delivers messages on a
// device thread of its own, which only hands each message to the window thread: it
// never touches the pattern, the undo history, the random generator, the settings or
// a widget. The window thread acts on the messages in the order they arrived.
//
// When Quom plays through its own JACK client, that client's "MIDI In" is Quom's JACK
// input, read in its process callback: RtMidi's JACK API is then left out, and the
// messages the client hands over are delivered here like RtMidi's.
namespace quom {

class ClockInbox;

// Quom's own JACK client's MIDI In, read on the window thread.
struct JackMidiIn {
    // Takes up to out.size() waiting messages, packed as message() gives them; returns how
    // many. Empty: there is no such client.
    std::function<std::size_t(std::span<std::uint32_t> out)> take;
    // The ports MIDI In can read, and connecting the one chosen (empty: none).
    std::function<std::vector<std::string>()> sources;
    std::function<bool(const std::string& port)> choose;
};

class MidiInput : public QObject {
    Q_OBJECT
public:
    // Starts every API that answers; one that cannot start is left out silently. With
    // jack, JACK's ports and messages come from Quom's own client instead of RtMidi.
    explicit MidiInput(JackMidiIn jack = {}, QObject* parent = nullptr);
    // Closes every port.
    ~MidiInput() override;

    // The input ports as they are now, ALSA's before JACK's: what the settings window
    // lists and the midiInPort setting indexes.
    std::vector<std::string> portNames() const;

    // Opens port (an index into portNames()) and, whatever becomes of it, the virtual
    // port "MIDI In" of a client "Quom" on every API (under JACK "Quom-01:MIDI In", the
    // audio client being the first "Quom"), to which the desktop's patchbay can connect
    // any controller. False when port cannot be opened.
    bool open(int port);
    void close();

    // MIDI clock messages on the sequencer's ports (clock, Start, Continue, Stop, Song
    // Position Pointer) go to inbox, stamped as they arrive, instead of to message(); null
    // leaves clock pulses out as before. The inbox must outlive this input.
    void setClockInbox(ClockInbox* inbox);
    ClockInbox* clockInbox() const noexcept { return clockInbox_.load(std::memory_order_acquire); }

signals:
    // A short message, on the window thread in arrival order: status in the low byte,
    // the first data byte next, the second above it. System exclusive, timing and
    // active sensing messages are left out.
    void message(std::uint32_t packed);

private:
    struct Api;
    void readFeed();

    std::vector<std::unique_ptr<Api>> apis_;
    std::atomic<ClockInbox*> clockInbox_{nullptr};
    JackMidiIn jack_;
    QTimer feedTimer_;
};

} // namespace quom
