#pragma once

#include "core/io/AtomicFile.h"
#include "core/io/Bytes.h"

#include <cstdint>
#include <string>
#include <vector>

// A small writer of format-1 Standard MIDI Files: a tempo track, then one chunk per
// track. Every number is big-endian; channel events always carry their status byte.
namespace quom {

struct MIDIevent {
    std::uint32_t time = 0; // absolute, in ticks from the start of the track
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
    // For a status of 0xF0 and above (meta and system-exclusive events): the complete
    // event as written after its delta time.
    std::vector<std::uint8_t> raw;

    // The two channel messages with a single data byte.
    bool isProgramChange() const noexcept { return (status & 0xF0) == 0xC0; }
    bool isChannelPressure() const noexcept { return (status & 0xF0) == 0xD0; }
};

struct MIDItrack {
    std::string name; // written as the track-name meta event
    std::vector<MIDIevent> events; // in non-decreasing time order
};

// A tempo the tempo track changes to.
struct MidiTempoChange {
    std::uint32_t time = 0; // absolute, in ticks
    std::uint32_t tempo = 0; // beats per minute, as encode's
};

class MIDIfile {
public:
    std::vector<MIDItrack> tracks; // at most 65534, written in this order
    // After the tempo encode is given, in non-decreasing time order.
    std::vector<MidiTempoChange> tempoChanges;

    // tempo in beats per minute (0 counts as 1); division in ticks per quarter note.
    std::vector<std::uint8_t> encode(std::uint32_t tempo, std::uint16_t division) const;
    WriteResult save(const std::string& path, std::uint32_t tempo, std::uint16_t division) const;
};

// A variable-length quantity, most significant group first; value below 2^28.
// Returns the number of bytes written (1 to 4).
int writeVarLen(ByteWriter& out, std::uint32_t value);

} // namespace quom
