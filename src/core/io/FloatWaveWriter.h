#pragma once

#include "core/io/AtomicFile.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Wave files of 32-bit floating-point samples at 44100 Hz, the values as they are: a
// render kept at the engine's own level, for further mixing elsewhere.
namespace quom {

// The whole file (format tag 3 with its fact chunk); empty when the data would not fit
// the 32-bit sizes of the format or channelCount is 0. A trailing partial frame is
// dropped; values that are not finite are written as 0.
std::vector<std::uint8_t> encodeWaveFloat(std::span<const float> samples, std::uint16_t channelCount);

// encodeWaveFloat written atomically: on failure the previous file at path is untouched.
WriteResult WriteWaveFloat(
    const std::string& path, std::span<const float> samples, std::uint16_t channelCount);

} // namespace quom
