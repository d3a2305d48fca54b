#pragma once

#include "core/io/AtomicFile.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The block writer of wave files: a rendered float buffer stored as 16-bit PCM at
// 44100 Hz, normalised so that its loudest sample is full scale (or a chosen level).
namespace quom {

// What a file holds besides the samples.
struct WaveOptions {
    // The level the loudest sample is normalised to: full scale, or less so that the
    // sounds a pattern plays together leave headroom.
    float peak = 1.0f;
    // The MIDI note the sound plays at its own pitch, kept in a sampler ("smpl")
    // chunk after the data; none: no chunk.
    std::optional<std::uint8_t> rootKey;
    // Normalised by this in place of the buffer's own peak, so that files share one
    // gain (stems and their mix); samples beyond it are clipped to full scale.
    std::optional<float> sharedPeak;
};

// The largest magnitude of the finite samples.
float peakOf(std::span<const float> samples);

// The whole file for samples (interleaved when channelCount is 2; frames =
// samples.size() / channelCount, a trailing partial frame is dropped). The buffer
// is normalised in place: divided by its peak, so a silent buffer stays silent.
// Values that are not finite are written as 0. Empty when the data would not fit
// the 32-bit sizes of the format or channelCount is 0.
std::vector<std::uint8_t> encodeWave16(
    std::span<float> samples, std::uint16_t channelCount, const WaveOptions& options = {});

// encodeWave16 written atomically: on failure the previous file at path is untouched.
WriteResult WriteWave16(const std::string& path, std::span<float> samples, std::uint16_t channelCount,
    const WaveOptions& options = {});

} // namespace quom
