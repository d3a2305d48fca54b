#pragma once

#include "core/model/Cell.h"

#include <array>
#include <cstdint>

// How a painted cell becomes MIDI, shared by the MIDI file export and the live MIDI out
// so that both send the same messages. Each cell sends its pan controller as its step
// starts, then, unless its velocity is 0, a note from its step's start to the next one's.
namespace quom {

enum class MidiMapping : std::uint8_t {
    Export = 0, // channel row mod 16, note blue / 2
    Rows = 1, // each row's note and channel from a table
};

// Outside 0..1 (a stored number, a command-line word) there is no mapping.
constexpr bool isMidiMapping(std::int64_t value) noexcept
{
    return value == 0 || value == 1;
}

struct RowNote {
    std::uint8_t note = 0;
    std::uint8_t channel = 0; // 0..15, as in the status byte
};
using RowNotes = std::array<RowNote, kRows>;

// The table that suits the starter kit: its 16 drums as General MIDI percussion on
// channel 10, its piano rows on channel 1 at the pitches the piano plays them.
const RowNotes& starterRowNotes() noexcept;

struct MidiMessage {
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;

    bool operator==(const MidiMessage&) const = default;
};

struct CellMessages {
    MidiMessage pan;
    bool sounds = false; // false: the pan controller alone
    MidiMessage noteOn;
    MidiMessage noteOff;
};

inline constexpr std::uint8_t kPanController = 10;

// The messages of a painted (non-zero) cell of row 0..63. rows is read for Rows only.
// Real-time safe.
CellMessages cellMessages(Cell cell, int row, MidiMapping mapping, const RowNotes& rows) noexcept;

} // namespace quom
