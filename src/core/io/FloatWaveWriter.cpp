#include "core/io/FloatWaveWriter.h"

#include "core/io/Bytes.h"
#include "core/io/Pcm16.h"

#include <bit>
#include <limits>

namespace quom {
namespace {

// RIFF, WAVE, an 18-byte fmt chunk, a fact chunk and the data chunk's header.
constexpr std::uint32_t kHeaderBytes = 12 + 26 + 12 + 8;

} // namespace

std::vector<std::uint8_t> encodeWaveFloat(std::span<const float> samples, std::uint16_t channelCount)
{
    if (channelCount == 0)
        return {};
    const std::uint64_t frames = samples.size() / channelCount;
    const std::uint64_t count = frames * channelCount;
    const std::uint64_t dataBytes = 4 * count;
    if (kHeaderBytes - 8 + dataBytes > std::numeric_limits<std::uint32_t>::max())
        return {};

    ByteWriter w;
    w.bytes().reserve(kHeaderBytes + dataBytes);
    w.text("RIFF");
    w.u32le(static_cast<std::uint32_t>(kHeaderBytes - 8 + dataBytes));
    w.text("WAVE");
    w.text("fmt ");
    w.u32le(18);
    w.u16le(3); // IEEE float
    w.u16le(channelCount);
    w.u32le(44100);
    w.u32le(176400u * channelCount);
    w.u16le(static_cast<std::uint16_t>(4 * channelCount));
    w.u16le(32);
    w.u16le(0); // no extension
    w.text("fact");
    w.u32le(4);
    w.u32le(static_cast<std::uint32_t>(frames));
    w.text("data");
    w.u32le(static_cast<std::uint32_t>(dataBytes));
    for (const float v : samples.first(count))
        w.u32le(std::bit_cast<std::uint32_t>(finiteOrSilence(v)));
    return std::move(w.bytes());
}

WriteResult WriteWaveFloat(
    const std::string& path, std::span<const float> samples, std::uint16_t channelCount)
{
    const auto bytes = encodeWaveFloat(samples, channelCount);
    if (bytes.empty())
        return {false, path + ": too much data for a wave file, or no channel"};
    return writeFileAtomically(path, bytes);
}

} // namespace quom
