#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The sounds of the kit a first start writes, synthesised so that a fresh Quom makes
// music without a single sample file. Rows 0-15 are drums and percussion, the most used
// first; rows 16-63 an electric piano rising one semitone per row, from MIDI note 36 on
// row 63 to 83 on row 16 (C3 to B6 as the kit editor names keys, 60 reading C5): bass
// lines at the bottom, chords and melodies above.
namespace quom {

inline constexpr int kStarterDrumRows = 16;

// Row 0..63's sound: mono at 44100 Hz, at most one second, rising from silence within
// a few samples and decaying back to silence. Not normalised: the wave writer does
// that. The same floats on every call; no shared random generator is touched.
std::vector<float> starterSound(int row);

// A short name for the row's file: "kick", "snare", ..., "epiano-C#4", its key named
// as the kit editor names it.
std::string starterSoundName(int row);

// The MIDI note a pitched row sounds at its own pitch; none for a drum.
std::optional<std::uint8_t> starterRootKey(int row);

} // namespace quom
