#pragma once

#include <cstdint>

// The MIDI messages a clock sends, and how its pulses divide Quom's steps.
namespace quom {

inline constexpr std::uint8_t kMidiSongPosition = 0xF2; // two data bytes: sixteenths, LSB first
inline constexpr std::uint8_t kMidiClock = 0xF8;
inline constexpr std::uint8_t kMidiStart = 0xFA;
inline constexpr std::uint8_t kMidiContinue = 0xFB;
inline constexpr std::uint8_t kMidiStop = 0xFC;

inline constexpr int kPulsesPerQuarter = 24;
// A step is a sixteenth note.
inline constexpr int kPulsesPerStep = kPulsesPerQuarter / 4;
// Song Position Pointer counts sixteenths in 14 bits.
inline constexpr int kSongPositionSteps = 1 << 14;

} // namespace quom
