#pragma once

#include <cstdint>

// The engine's hottest loop, linear interpolation at tabled positions, written for
// 8-lane vectors where the processor has them. Same operations in the same order
// as the plain loop, so the same bits.
namespace quom {

// Adds volume * (d[i] + (d[i + 1] - d[i]) * f) * left / right for the leading frames
// it can take 8 at a time and returns how many it took (0 without the vector
// unit). positions must grow by at most 1.5 per frame and stay below the length
// of d.
int mixLinearWide(const float* d, std::uint32_t length, const float* positions, int frames, float volume,
    float left, float right, float* accL, float* accR) noexcept;

} // namespace quom
