#pragma once

#include "core/files/MidiFile.h"
#include "core/files/MidiMapping.h"
#include "core/io/AtomicFile.h"
#include "core/kit/Kit.h"
#include "core/model/Cell.h"
#include "core/model/SongPasses.h"

#include <cstdint>
#include <span>
#include <string>

// A pattern as a MIDI file: row r becomes a track named after kit slot r; each painted
// cell a one-column note (24 ticks at 96 ticks per quarter) of velocity red / 2 and a pan
// controller of green / 2, on the channel and pitch the mapping gives (MidiMapping.h).
namespace quom {

constexpr std::uint16_t kMidiTicksPerQuarter = 96;
constexpr std::uint32_t kMidiTicksPerColumn = 24;

// The sample's file name without folder and extension; "not used" stays as it is.
// Both separators count, so paths written on either kind of system give bare names.
std::string midiTrackName(const std::string& samplePath);

// The 64 row tracks of the pattern.
MIDIfile patternToMidi(const Grid& cells, const CKit& kit, MidiMapping mapping = MidiMapping::Export);

// The passes one after the other, 64 columns each: every row track holds its row of each
// pass's pattern, and the tempo track a change wherever a pass's tempo differs from the
// one before. patterns must hold every pattern passes name. The first tempo: encode's.
MIDIfile passesToMidi(std::span<const Grid> patterns, const LoopPasses& passes, const CKit& kit,
    MidiMapping mapping = MidiMapping::Export);

// passesToMidi's file, starting at the first pass's tempo.
WriteResult exportPassesMidi(const std::string& path, std::span<const Grid> patterns,
    const LoopPasses& passes, const CKit& kit, MidiMapping mapping = MidiMapping::Export);

// The song once, each pattern at its tempo in tempos (one per pattern slot).
WriteResult exportSongMidi(const std::string& path, std::span<const Grid> patterns,
    std::span<const std::int32_t> tempos, const Song& song, const CKit& kit,
    MidiMapping mapping = MidiMapping::Export);

// The tempo is taken into 1..350 first, as the tempo slider would hold it.
WriteResult exportMidi(const std::string& path, const Grid& cells, std::int32_t tempo, const CKit& kit,
    MidiMapping mapping = MidiMapping::Export);

} // namespace quom
