#pragma once

#include <cstdint>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
// Code for AVX2 and AVX-512 can be compiled here; whether it may run, hasAvx2() and
// wideUnit() say.
#define QUOM_WIDE_MIX 1
#endif

// The engine's hottest loops, interpolation at tabled positions, written for
// 8-lane vectors where the processor has them. Same roundings in the same order as
// the plain loops, so the same bits.
namespace quom {

// Adds volume * (d[i] + (d[i + 1] - d[i]) * f) * left / right for the leading frames
// it can take 8 at a time and returns how many it took (0 without the vector
// unit). positions must grow by at most 1.5 per frame and stay below the length
// of d.
int mixLinearWide(const float* d, std::uint32_t length, const float* positions, int frames, float volume,
    float left, float right, float* accL, float* accR) noexcept;

// The vector units the quadratic loop has a version for, each with those before it.
enum class WideUnit { None, Avx2Fma, Avx512 };

// The best unit this processor has, as read once at start-up.
WideUnit wideUnit() noexcept;

// The same with lagrangeAt(d[i - 1], d[i], d[i + 1], d[i + 2], f), 16 frames at a
// time, on `unit` or, where the processor lacks it, the best it has. positions
// must also be at least 1 and below length - 2, and length at most 2^24.
int mixQuadraticWide(WideUnit unit, const float* d, std::uint32_t length, const float* positions, int frames,
    float volume, float left, float right, float* accL, float* accR) noexcept;

// Whether the processor has AVX2, as read once at start-up.
bool hasAvx2() noexcept;

} // namespace quom
