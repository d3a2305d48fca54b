#include "core/io/WaveReader.h"

#include "core/io/Bytes.h"

#include <algorithm>
#include <new>
#include <optional>

namespace quom {
namespace {

struct Format {
    std::uint16_t channels = 0;
    std::uint16_t bits = 0;
};

struct Layout {
    std::optional<Format> format;
    std::optional<std::span<const std::uint8_t>> data; // the data bytes present in the file
    std::uint8_t rootKey = 60;
};

bool hasTag(std::span<const std::uint8_t> bytes, std::size_t offset, const char (&tag)[5])
{
    return bytes.size() >= offset + 4 && std::equal(tag, tag + 4, bytes.begin() + offset);
}

// A fmt chunk too short for its 16 bytes of fields is refused rather than read
// into whatever follows it.
std::optional<Format> readFormat(std::span<const std::uint8_t> body, std::string& error)
{
    ByteReader r(body);
    r.skip(2); // format tag: 32-bit data is read as integers whatever it says
    const auto channels = r.u16le();
    r.skip(4 + 4); // sample rate and byte rate: samples always play at 44100 Hz
    r.skip(2); // block align: the frame size follows from channels and bits
    const auto bits = r.u16le();
    if (!channels || !bits) {
        error = "fmt chunk too short";
        return std::nullopt;
    }
    if (*bits != 8 && *bits != 16 && *bits != 24 && *bits != 32) {
        error = "unsupported sample width of " + std::to_string(*bits) + " bits";
        return std::nullopt;
    }
    if (*channels != 1 && *channels != 2) {
        error = "unsupported channel count of " + std::to_string(*channels);
        return std::nullopt;
    }
    return Format{*channels, *bits};
}

// Walks the chunks of the RIFF body of a file that begins "RIFF" size "WAVE". A chunk whose header lies
// beyond the file ends the walk; a chunk whose size runs past the file keeps only the bytes present.
std::optional<Layout> readLayout(std::span<const std::uint8_t> bytes, std::string& error)
{
    ByteReader header(bytes);
    header.skip(4);
    std::uint64_t riffSize = *header.u32le();
    riffSize &= ~std::uint64_t{1};

    constexpr std::size_t kBodyStart = 8;
    Layout layout;
    for (std::uint64_t offset = 4; offset < riffSize;) {
        const std::uint64_t chunkStart = kBodyStart + offset;
        if (chunkStart + 8 > bytes.size())
            break;
        const auto id = bytes.subspan(chunkStart, 4);
        ByteReader sizeField(bytes.subspan(chunkStart + 4, 4));
        const std::uint64_t size = *sizeField.u32le();
        const std::size_t present
            = static_cast<std::size_t>(std::min<std::uint64_t>(size, bytes.size() - chunkStart - 8));
        const auto body = bytes.subspan(chunkStart + 8, present);

        if (hasTag(id, 0, "fmt ")) {
            layout.format = readFormat(body, error);
            if (!layout.format)
                return std::nullopt;
        } else if (hasTag(id, 0, "data")) {
            layout.data = body;
        } else if (hasTag(id, 0, "smpl") && body.size() > 12) {
            layout.rootKey = body[12]; // low byte of the MIDI unity note
        }
        offset += size + (size & 1) + 8;
    }
    if (!layout.format) {
        error = "no fmt chunk";
        return std::nullopt;
    }
    if (!layout.data) {
        error = "no data chunk";
        return std::nullopt;
    }
    return layout;
}

template <int Bits> float sampleAt(const std::uint8_t* p)
{
    constexpr float kTwoToMinus31 = 1.0f / 2147483648.0f;
    if constexpr (Bits == 8)
        return static_cast<float>(p[0] - 128) * 0.0078125f;
    else if constexpr (Bits == 16)
        return static_cast<float>(static_cast<std::int16_t>(p[0] | (p[1] << 8))) * 0.000030517578125f;
    else if constexpr (Bits == 24)
        return static_cast<float>(static_cast<std::int32_t>(
                   (std::uint32_t{p[2]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[0]} << 8)))
            * kTwoToMinus31;
    else
        return static_cast<float>(static_cast<std::int32_t>(std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8)
                   | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24)))
            * kTwoToMinus31;
}

// The first channel of every frame. One loop per width, so the width is no test per
// sample and the common widths vectorise.
template <int Bits>
void decodeFirstChannel(const std::uint8_t* data, std::size_t frameBytes, std::vector<float>& out)
{
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = sampleAt<Bits>(data + i * frameBytes);
}

} // namespace

ReadResult<DecodedWave> decodeWave(std::span<const std::uint8_t> bytes, const std::string& path)
{
    if (!hasTag(bytes, 0, "RIFF") || !hasTag(bytes, 8, "WAVE"))
        return ReadError{ReadFailure::WrongMagic, path, "not a RIFF WAVE file"};
    std::string error;
    const auto layout = readLayout(bytes, error);
    if (!layout)
        return ReadError{ReadFailure::Damaged, path, error};

    const std::size_t sampleBytes = layout->format->bits / 8;
    const std::size_t frameBytes = sampleBytes * layout->format->channels;
    const std::span<const std::uint8_t> data = *layout->data;
    const std::size_t frames = data.size() / frameBytes;

    DecodedWave wave;
    try {
        wave.samples.resize(frames);
    } catch (const std::bad_alloc&) {
        return ReadError{ReadFailure::Damaged, path, "not enough memory to read sample data"};
    }
    switch (layout->format->bits) {
    case 8:
        decodeFirstChannel<8>(data.data(), frameBytes, wave.samples);
        break;
    case 16:
        decodeFirstChannel<16>(data.data(), frameBytes, wave.samples);
        break;
    case 24:
        decodeFirstChannel<24>(data.data(), frameBytes, wave.samples);
        break;
    default:
        decodeFirstChannel<32>(data.data(), frameBytes, wave.samples);
        break;
    }
    wave.rootKey = layout->rootKey;
    return wave;
}

ReadResult<DecodedWave> readWave(const std::string& path)
{
    // The RIFF size field counts the bytes after its own 8 in 32 bits.
    constexpr std::uint64_t kLargestWave = 8 + std::uint64_t{0xFFFFFFFF};
    const auto bytes = readRegularFile(path, kLargestWave);
    if (!bytes)
        return bytes.error();
    return decodeWave(*bytes, path);
}

} // namespace quom
