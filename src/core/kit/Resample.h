#pragma once

#include "core/io/ReadResult.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A sample recorded at another rate, made to sound at its own pitch and speed when
// played at 44100 Hz.
namespace quom {

// Rates outside these are taken for a damaged header rather than honoured: resampling a
// file that claims 1 Hz would make a second of sound last half a day.
inline constexpr std::uint32_t kLowestOwnRate = 1000;
inline constexpr std::uint32_t kHighestOwnRate = 1536000;

// Whether a file of this rate is resampled when loaded at its own rate.
constexpr bool resamplesAtOwnRate(std::uint32_t rate) noexcept
{
    return rate != 44100 && rate >= kLowestOwnRate && rate <= kHighestOwnRate;
}

// samples, recorded at rate, at 44100 Hz: libsoxr at its very high quality, loaded the
// first time a sample needs it. Fails, naming path, when the library is missing or the
// result would not fit a sample's 32-bit length.
ReadResult<std::vector<float>> resampleTo44100(
    std::span<const float> samples, std::uint32_t rate, const std::string& path);

} // namespace quom
