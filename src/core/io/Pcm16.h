#pragma once

#include <bit>
#include <cstdint>

// Float sound as the wave files Quom writes store it, in 16-bit samples.
namespace quom {

// A value that is not finite (a NaN of any sign or payload, or an infinity) holds no
// sound and is written as silence, whatever its bits; the test reads the exponent,
// which no optimisation setting can assume away as it may std::isfinite.
inline float finiteOrSilence(float x) noexcept
{
    constexpr std::uint32_t kExponent = 0x7f800000;
    return (std::bit_cast<std::uint32_t>(x) & kExponent) != kExponent ? x : 0.0f;
}

// As the recording stores it: clipped to full scale and rounded half away from zero,
// so digital silence stays exactly zero.
inline std::int16_t toPcm16(float x) noexcept
{
    x = finiteOrSilence(x);
    const float clipped = x > 1.0f ? 1.0f : (x < -1.0f ? -1.0f : x);
    const float scaled = clipped * 32767.0f;
    return static_cast<std::int16_t>(scaled < 0.0f ? scaled - 0.5f : scaled + 0.5f);
}

} // namespace quom
