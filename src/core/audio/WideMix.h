#pragma once

#include <cstdint>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
// Code for AVX2 can be compiled here; whether it may run, hasAvx2() says.
#define QUOM_WIDE_MIX 1
#endif

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

// Whether the processor has AVX2, as read once at start-up.
bool hasAvx2() noexcept;

} // namespace quom
