#include "core/io/WaveReader.h"

#include "core/io/Bytes.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <new>
#include <optional>

namespace quom {
namespace {

enum class Encoding { Int8, Int16, Int24, Int32, Float32, Float64 };

struct Format {
    std::uint16_t channels = 0;
    Encoding encoding = Encoding::Int16;
    std::uint32_t sampleRate = 0;

    std::size_t sampleBytes() const noexcept
    {
        switch (encoding) {
        case Encoding::Int8:
            return 1;
        case Encoding::Int16:
            return 2;
        case Encoding::Int24:
            return 3;
        case Encoding::Int32:
        case Encoding::Float32:
            return 4;
        case Encoding::Float64:
            break;
        }
        return 8;
    }
};

struct Layout {
    std::optional<Format> format;
    std::optional<std::span<const std::uint8_t>> data; // the data bytes present in the file
    std::uint8_t rootKey = 60;
};

struct LayoutError {
    ReadFailure kind = ReadFailure::Damaged;
    std::string detail;
};

constexpr std::uint16_t kFloatTag = 3;
constexpr std::uint16_t kExtensibleTag = 0xFFFE;

bool hasTag(std::span<const std::uint8_t> bytes, std::size_t offset, const char (&tag)[5])
{
    return bytes.size() >= offset + 4 && std::equal(tag, tag + 4, bytes.begin() + offset);
}

// The extensible format names its encoding by a GUID after the 24 bytes of fields: the
// float one is 00000003-0000-0010-8000-00AA00389B71.
bool hasFloatSubFormat(std::span<const std::uint8_t> fmt)
{
    constexpr std::array<std::uint8_t, 16> kFloatGuid{
        0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    constexpr std::size_t kGuidOffset = 24;
    return fmt.size() >= kGuidOffset + kFloatGuid.size()
        && std::equal(kFloatGuid.begin(), kFloatGuid.end(), fmt.begin() + kGuidOffset);
}

// Only 32 and 64-bit samples are taken as floats: any other width with a float tag is
// read as integers, as it always was.
std::optional<Encoding> encodingOf(std::uint16_t bits, std::span<const std::uint8_t> fmt)
{
    const bool floatTag = namesFloatSamples(fmt);
    switch (bits) {
    case 8:
        return Encoding::Int8;
    case 16:
        return Encoding::Int16;
    case 24:
        return Encoding::Int24;
    case 32:
        return floatTag ? Encoding::Float32 : Encoding::Int32;
    case 64:
        if (floatTag)
            return Encoding::Float64;
        break;
    default:
        break;
    }
    return std::nullopt;
}

// A fmt chunk too short for its 16 bytes of fields is refused rather than read
// into whatever follows it.
std::optional<Format> readFormat(std::span<const std::uint8_t> body, LayoutError& error)
{
    ByteReader r(body);
    const auto tag = r.u16le();
    const auto channels = r.u16le();
    const auto sampleRate = r.u32le();
    r.skip(4); // byte rate
    r.skip(2); // block align: the frame size follows from channels and bits
    const auto bits = r.u16le();
    if (!tag || !channels || !sampleRate || !bits) {
        error = {ReadFailure::Damaged, "damaged: its fmt chunk is too short"};
        return std::nullopt;
    }
    const auto encoding = encodingOf(*bits, body);
    if (!encoding) {
        error = {ReadFailure::Unsupported, "unsupported encoding: " + std::to_string(*bits) + "-bit samples"};
        return std::nullopt;
    }
    if (*channels != 1 && *channels != 2) {
        error = {ReadFailure::Unsupported, "unsupported: " + std::to_string(*channels) + " channels"};
        return std::nullopt;
    }
    return Format{*channels, *encoding, *sampleRate};
}

// Walks the chunks of the RIFF body of a file that begins "RIFF" size "WAVE". A chunk whose header lies
// beyond the file ends the walk; a chunk whose size runs past the file keeps only the bytes present.
std::optional<Layout> readLayout(std::span<const std::uint8_t> bytes, LayoutError& error)
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
        error.detail = "damaged: it has no fmt chunk";
        return std::nullopt;
    }
    if (!layout.data) {
        error.detail = "damaged: it has no data chunk";
        return std::nullopt;
    }
    return layout;
}

std::uint32_t u32At(const std::uint8_t* p)
{
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16)
        | (std::uint32_t{p[3]} << 24);
}

// A float file that holds an infinity or a NaN (a damaged one) would poison every frame
// of the mix it plays in: such a sample reads as silence.
float finiteOrSilence(double value)
{
    return std::isfinite(value) && std::abs(value) <= std::numeric_limits<float>::max()
        ? static_cast<float>(value)
        : 0.0f;
}

template <Encoding E> float sampleAt(const std::uint8_t* p)
{
    constexpr float kTwoToMinus31 = 1.0f / 2147483648.0f;
    if constexpr (E == Encoding::Int8)
        return static_cast<float>(p[0] - 128) * 0.0078125f;
    else if constexpr (E == Encoding::Int16)
        return static_cast<float>(static_cast<std::int16_t>(p[0] | (p[1] << 8))) * 0.000030517578125f;
    else if constexpr (E == Encoding::Int24)
        return static_cast<float>(static_cast<std::int32_t>(
                   (std::uint32_t{p[2]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[0]} << 8)))
            * kTwoToMinus31;
    else if constexpr (E == Encoding::Int32)
        return static_cast<float>(static_cast<std::int32_t>(u32At(p))) * kTwoToMinus31;
    else if constexpr (E == Encoding::Float32)
        return finiteOrSilence(std::bit_cast<float>(u32At(p)));
    else
        return finiteOrSilence(
            std::bit_cast<double>(std::uint64_t{u32At(p)} | (std::uint64_t{u32At(p + 4)} << 32)));
}

// The first channel of every frame. One loop per encoding, so the encoding is no test
// per sample and the common widths vectorise.
template <Encoding E>
void decodeFirstChannel(const std::uint8_t* data, std::size_t frameBytes, std::vector<float>& out)
{
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = sampleAt<E>(data + i * frameBytes);
}

void decodeFirstChannel(
    Encoding encoding, const std::uint8_t* data, std::size_t frameBytes, std::vector<float>& out)
{
    switch (encoding) {
    case Encoding::Int8:
        return decodeFirstChannel<Encoding::Int8>(data, frameBytes, out);
    case Encoding::Int16:
        return decodeFirstChannel<Encoding::Int16>(data, frameBytes, out);
    case Encoding::Int24:
        return decodeFirstChannel<Encoding::Int24>(data, frameBytes, out);
    case Encoding::Int32:
        return decodeFirstChannel<Encoding::Int32>(data, frameBytes, out);
    case Encoding::Float32:
        return decodeFirstChannel<Encoding::Float32>(data, frameBytes, out);
    case Encoding::Float64:
        return decodeFirstChannel<Encoding::Float64>(data, frameBytes, out);
    }
}

} // namespace

bool namesFloatSamples(std::span<const std::uint8_t> fmtBody)
{
    ByteReader r(fmtBody);
    const auto tag = r.u16le();
    return tag && (*tag == kFloatTag || (*tag == kExtensibleTag && hasFloatSubFormat(fmtBody)));
}

ReadResult<DecodedWave> decodeWave(std::span<const std::uint8_t> bytes, const std::string& path)
{
    if (!hasTag(bytes, 0, "RIFF") || !hasTag(bytes, 8, "WAVE"))
        return ReadError{ReadFailure::WrongMagic, path, "not a RIFF WAVE file"};
    LayoutError error;
    const auto layout = readLayout(bytes, error);
    if (!layout)
        return ReadError{error.kind, path, error.detail};

    const Format& format = *layout->format;
    const std::size_t frameBytes = format.sampleBytes() * format.channels;
    const std::span<const std::uint8_t> data = *layout->data;

    DecodedWave wave;
    try {
        wave.samples.resize(data.size() / frameBytes);
    } catch (const std::bad_alloc&) {
        return ReadError{ReadFailure::Unreadable, path, "not enough memory to read sample data"};
    }
    decodeFirstChannel(format.encoding, data.data(), frameBytes, wave.samples);
    wave.rootKey = layout->rootKey;
    wave.sampleRate = format.sampleRate;
    return wave;
}

ReadResult<DecodedWave> readWave(const std::string& path)
{
    // The RIFF size field counts the bytes after its own 8 in 32 bits.
    constexpr FileKind kWaveFile{"a wave file", 8 + std::uint64_t{0xFFFFFFFF}};
    const auto bytes = readRegularFile(path, kWaveFile);
    if (!bytes)
        return bytes.error();
    return decodeWave(*bytes, path);
}

} // namespace quom
