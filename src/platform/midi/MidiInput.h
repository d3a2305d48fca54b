#pragma once

#include <QObject>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// MIDI input through RtMidi, over the ALSA sequencer and then JACK, each where it
// runs. A machine with neither simply has no ports, and Quom plays on without MIDI.
//
// Threads. Every member is for the window thread. RtMidi delivers messages on a
// device thread of its own, which only hands each message to the window thread: it
// never touches the pattern, the undo history, the random generator, the settings or
// a widget. The window thread acts on the messages in the order they arrived.
namespace quom {

class MidiInput : public QObject {
    Q_OBJECT
public:
    // Starts every API that answers; one that cannot start is left out silently.
    explicit MidiInput(QObject* parent = nullptr);
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

signals:
    // A short message, on the window thread in arrival order: status in the low byte,
    // the first data byte next, the second above it. System exclusive, timing and
    // active sensing messages are left out.
    void message(std::uint32_t packed);

private:
    struct Api;
    std::vector<std::unique_ptr<Api>> apis_;
};

} // namespace quom
