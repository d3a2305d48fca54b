#pragma once

#include <array>
#include <cstdint>

// The MIDI controllers the settings can give a role (tempo, offsets, rotation, colour),
// as the settings window lists them: an entry's position is the controller number the
// settings store, and the last entry is the choice of no controller at all.
namespace quom {

// Stored for a role that no controller drives; no incoming controller number reaches it.
inline constexpr std::uint8_t kNoController = 128;

// "0   Bank Select (coarse)" ... "127 Poly Operation", "------ None ------".
extern const std::array<const char*, kNoController + 1> kControllerNames;

} // namespace quom
