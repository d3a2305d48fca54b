#include "core/io/WaveWriter.h"

#include "core/io/Bytes.h"
#include "core/io/Pcm16.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace quom {
namespace {

constexpr std::uint32_t kHeaderBytes = 44;

} // namespace

float peakOf(std::span<const float> samples)
{
    // On the magnitudes' bits, which order as the magnitudes do: a loop the compiler
    // can widen.
    constexpr std::uint32_t kMagnitude = 0x7fffffff;
    std::uint32_t peak = 0;
    for (const float v : samples)
        peak = std::max(peak, std::bit_cast<std::uint32_t>(finiteOrSilence(v)) & kMagnitude);
    return std::bit_cast<float>(peak);
}

namespace {

// Normalises samples in place so that peak becomes level, and stores each as 16-bit
// little-endian PCM at out, truncated toward zero.
void writePcm16(std::span<float> samples, float peak, float level, std::uint8_t* out) noexcept
{
    // Every finite sample of a silent buffer is a zero, which dividing by 1 keeps.
    const float divisor = (peak != 0.0f ? peak : 1.0f) / level;
    for (float& v : samples) {
        v = finiteOrSilence(v) / divisor;
        // Only a shared peak leaves samples beyond full scale: any other is the largest.
        const auto pcm
            = static_cast<std::uint16_t>(static_cast<std::int16_t>(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
        out[0] = static_cast<std::uint8_t>(pcm);
        out[1] = static_cast<std::uint8_t>(pcm >> 8);
        out += 2;
    }
}

// The sampler chunk with only the unity note set: what readers take the root key from.
constexpr std::uint32_t kSamplerChunkBytes = 8 + 36;

void writeSamplerChunk(ByteWriter& w, std::uint8_t rootKey)
{
    constexpr std::uint32_t kNanosecondsPerFrame = 22676; // 10^9 / 44100, rounded
    w.text("smpl");
    w.u32le(36);
    w.u32le(0); // manufacturer
    w.u32le(0); // product
    w.u32le(kNanosecondsPerFrame);
    w.u32le(rootKey);
    for (int field = 0; field < 5; ++field)
        w.u32le(0); // pitch fraction, SMPTE format and offset, no loops, no sampler data
}

} // namespace

std::vector<std::uint8_t> encodeWave16(
    std::span<float> samples, std::uint16_t channelCount, const WaveOptions& options)
{
    if (channelCount == 0)
        return {};
    const std::uint64_t count = samples.size() / channelCount * channelCount;
    const std::uint64_t dataBytes = 2 * count;
    const std::uint64_t riffBytes = kHeaderBytes - 8 + dataBytes + (options.rootKey ? kSamplerChunkBytes : 0);
    if (riffBytes > std::numeric_limits<std::uint32_t>::max())
        return {};
    samples = samples.first(count);

    ByteWriter w;
    w.text("RIFF");
    w.u32le(static_cast<std::uint32_t>(riffBytes));
    w.text("WAVE");
    w.text("fmt ");
    w.u32le(16);
    w.u16le(1); // PCM
    w.u16le(channelCount);
    w.u32le(44100);
    w.u32le(88200u * channelCount);
    w.u16le(static_cast<std::uint16_t>(2 * channelCount));
    w.u16le(16);
    w.text("data");
    w.u32le(static_cast<std::uint32_t>(dataBytes));

    std::vector<std::uint8_t>& bytes = w.bytes();
    bytes.resize(kHeaderBytes + dataBytes);
    writePcm16(
        samples, options.sharedPeak.value_or(peakOf(samples)), options.peak, bytes.data() + kHeaderBytes);
    if (options.rootKey)
        writeSamplerChunk(w, *options.rootKey);
    return std::move(bytes);
}

WriteResult WriteWave16(
    const std::string& path, std::span<float> samples, std::uint16_t channelCount, const WaveOptions& options)
{
    const auto bytes = encodeWave16(samples, channelCount, options);
    if (bytes.empty())
        return {false, path + ": too much data for a wave file, or no channel"};
    return writeFileAtomically(path, bytes);
}

} // namespace quom
