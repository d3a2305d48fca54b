#pragma once

#include "core/io/ReadResult.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Turning the bytes of a RIFF WAVE file into a mono float sample. Pure: the bytes
// come in, the sample or the reason it was refused goes out.
namespace quom {

// A sample file's first channel as floats, whatever its format.
struct DecodedWave {
    std::vector<float> samples; // the first channel, whole frames only
    std::uint8_t rootKey = 60; // the smpl chunk's unity note, 60 without one
    std::uint32_t sampleRate = 44100; // as the file declares it; nothing checks it
};

// 8, 16, 24 and 32-bit integer samples, and 32 and 64-bit floating-point ones (format
// tag 3, or the extensible format with the float sub-format), one or two channels.
// Integer data is read whatever the tag says, so a file that names another encoding
// with an integer width loads as it always has. Every size is checked against the
// bytes at hand: a data chunk that claims more than the file holds yields the whole
// frames present, and nothing is allocated beyond what those frames need. path only
// names the file in the error.
ReadResult<DecodedWave> decodeWave(std::span<const std::uint8_t> bytes, const std::string& path);
// Whether a fmt chunk's body names floating-point samples: tag 3, or the extensible
// format with the float sub-format.
bool namesFloatSamples(std::span<const std::uint8_t> fmtBody);

// Only a regular file no larger than a RIFF size field can count is read: a FIFO, a
// device or a folder is refused as unreadable without reading from it.
ReadResult<DecodedWave> readWave(const std::string& path);

} // namespace quom
