#pragma once

#include "core/kit/Instrument.h"

#include <cstdint>

// Reading a sample at a fractional position with one of the interpolation modes,
// and moving that position: playback defined one frame at a time. The engine mixes
// whole spans instead (Track.cpp) through the same kernels (Interpolate.h), so that
// both give the same bits; SampleAt serves the tests' reference engine and the
// benchmarks. AdvancePosition also runs on the audio thread, moving notes that are
// silent (an empty sample, an unknown mode). No allocation, no locks.
namespace quom {

enum class Interpolation : std::uint8_t { Truncate = 0, Linear = 1, Quadratic = 2 };

// The sample value at position, 0 at or past the end. Any mode value other than
// the three known ones reads as silence.
float SampleAt(const CInstrument& instrument, float position, std::uint8_t mode) noexcept;

// position + ratio, wrapped into [0, length) for looping instruments.
float AdvancePosition(const CInstrument& instrument, float position, float ratio) noexcept;

} // namespace quom
