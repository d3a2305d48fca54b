#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Wave files built byte by byte, so that tests can write exactly the chunks,
// sizes and faults they need.
namespace wavebytes {

using Bytes = std::vector<std::uint8_t>;

struct Chunk {
    std::string id;
    Bytes body;
    std::optional<std::uint32_t> claimedSize; // written instead of the body's size
};

void put16(Bytes& b, std::uint16_t v);
void put32(Bytes& b, std::uint32_t v);

// "RIFF", size, "WAVE", then each chunk with a pad byte after an odd body. The RIFF
// size is the true one unless given.
Bytes riffWave(const std::vector<Chunk>& chunks, std::optional<std::uint32_t> riffSize = {});

Chunk fmtChunk(std::uint16_t channels, std::uint16_t bits, std::uint16_t tag = 1, std::uint32_t rate = 44100);
Chunk dataChunk(Bytes body, std::optional<std::uint32_t> claimedSize = {});
Chunk smplChunk(std::uint32_t unityNote);

// Signed 16-bit samples, little-endian.
Bytes pcm16(const std::vector<std::int16_t>& samples);

// A 16-bit mono file of the given samples.
Bytes mono16(const std::vector<std::int16_t>& samples);

} // namespace wavebytes
