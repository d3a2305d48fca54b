#pragma once

#include "core/kit/Instrument.h"

#include <cstdint>

// Reading a sample at a fractional position, and moving that position. Called once
// per frame per sounding voice on the audio thread: no allocation, no locks.
namespace quom {

enum class Interpolation : std::uint8_t { Truncate = 0, Linear = 1, Quadratic = 2 };

// The sample value at position, 0 at or past the end. Any mode value other than
// the three known ones reads as silence.
float SampleAt(const CInstrument& instrument, float position, std::uint8_t mode) noexcept;

// position + ratio, wrapped into [0, length) for looping instruments.
float AdvancePosition(const CInstrument& instrument, float position, float ratio) noexcept;

} // namespace quom
