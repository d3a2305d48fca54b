#pragma once

#include "core/io/ReadResult.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Turning the bytes of a RIFF WAVE file into a mono float sample. Pure: the bytes
// come in, the sample or the reason it was refused goes out.
namespace quom {

struct DecodedWave {
    std::vector<float> samples; // the first channel, whole frames only
    std::uint8_t rootKey = 60; // the smpl chunk's unity note, 60 without one
};

// 8, 16, 24 and 32-bit integer samples, one or two channels; 32-bit data is read as
// integers whatever the format tag says. Every size is checked against the bytes
// at hand: a data chunk that claims more than the file holds yields the whole
// frames present, and nothing is allocated beyond what those frames need. path only
// names the file in the error.
ReadResult<DecodedWave> decodeWave(std::span<const std::uint8_t> bytes, const std::string& path);
// Only a regular file no larger than a RIFF size field can count is read: a FIFO, a
// device or a folder is refused as unreadable without reading from it.
ReadResult<DecodedWave> readWave(const std::string& path);

} // namespace quom
