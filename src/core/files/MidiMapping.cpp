#include "core/files/MidiMapping.h"

#include "core/kit/StarterSounds.h"

namespace quom {
namespace {

constexpr std::uint8_t kDrumChannel = 9; // channel 10 as musicians count
constexpr std::uint8_t kPianoChannel = 0;

// General MIDI percussion in the starter kit's drum order: kick, snare, clap, closed hat,
// open hat, rim, crash, ride, low, mid and high tom, shaker, tambourine, cowbell, conga,
// clave.
constexpr std::array<std::uint8_t, kStarterDrumRows> kStarterDrumNotes{
    36, 38, 39, 42, 46, 37, 49, 51, 45, 47, 50, 70, 54, 56, 63, 75};

RowNotes makeStarterRowNotes()
{
    RowNotes rows{};
    for (int row = 0; row < kRows; ++row) {
        const auto key = starterRootKey(row);
        rows[row] = key ? RowNote{*key, kPianoChannel} : RowNote{kStarterDrumNotes[row], kDrumChannel};
    }
    return rows;
}

} // namespace

const RowNotes& starterRowNotes() noexcept
{
    static const RowNotes rows = makeStarterRowNotes();
    return rows;
}

CellMessages cellMessages(Cell cell, int row, MidiMapping mapping, const RowNotes& rows) noexcept
{
    const bool byRow = mapping == MidiMapping::Rows;
    const auto channel = byRow ? rows[row].channel : static_cast<std::uint8_t>(row % 16);
    const auto note = byRow ? rows[row].note : static_cast<std::uint8_t>(blueOf(cell) / 2);
    const auto velocity = static_cast<std::uint8_t>(redOf(cell) / 2);
    const auto pan = static_cast<std::uint8_t>(greenOf(cell) / 2);
    return {
        .pan = {static_cast<std::uint8_t>(0xB0 | channel), kPanController, pan},
        .sounds = velocity != 0,
        .noteOn = {static_cast<std::uint8_t>(0x90 | channel), note, velocity},
        .noteOff = {static_cast<std::uint8_t>(0x80 | channel), note, 0},
    };
}

} // namespace quom
