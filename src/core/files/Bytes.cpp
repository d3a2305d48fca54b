#include "core/files/Bytes.h"

#include <fstream>
#include <iterator>

namespace quom {

void ByteWriter::put(std::uint32_t v, int width, bool bigEndian)
{
    for (int i = 0; i < width; ++i) {
        const int shift = bigEndian ? 8 * (width - 1 - i) : 8 * i;
        bytes_.push_back(static_cast<std::uint8_t>((v >> shift) & 0xFF));
    }
}

void ByteWriter::patchU32le(std::size_t offset, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes_.at(offset + i) = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF);
}

void ByteWriter::patchU32be(std::size_t offset, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes_.at(offset + i) = static_cast<std::uint8_t>((v >> (8 * (3 - i))) & 0xFF);
}

std::optional<std::uint32_t> ByteReader::little(int width) noexcept
{
    if (remaining() < static_cast<std::size_t>(width)) {
        offset_ = bytes_.size();
        return std::nullopt;
    }
    std::uint32_t v = 0;
    for (int i = 0; i < width; ++i)
        v |= static_cast<std::uint32_t>(bytes_[offset_ + i]) << (8 * i);
    offset_ += width;
    return v;
}

std::optional<std::uint8_t> ByteReader::u8() noexcept
{
    auto v = little(1);
    return v ? std::optional<std::uint8_t>(static_cast<std::uint8_t>(*v)) : std::nullopt;
}

std::optional<std::uint16_t> ByteReader::u16le() noexcept
{
    auto v = little(2);
    return v ? std::optional<std::uint16_t>(static_cast<std::uint16_t>(*v)) : std::nullopt;
}

std::optional<std::uint32_t> ByteReader::u32le() noexcept
{
    return little(4);
}

std::optional<std::int32_t> ByteReader::i32le() noexcept
{
    auto v = little(4);
    return v ? std::optional<std::int32_t>(static_cast<std::int32_t>(*v)) : std::nullopt;
}

std::optional<std::span<const std::uint8_t>> ByteReader::take(std::size_t n) noexcept
{
    if (remaining() < n) {
        offset_ = bytes_.size();
        return std::nullopt;
    }
    auto s = bytes_.subspan(offset_, n);
    offset_ += n;
    return s;
}

bool ByteReader::skip(std::size_t n) noexcept
{
    return take(n).has_value();
}

bool ByteReader::seek(std::size_t offset) noexcept
{
    if (offset > bytes_.size())
        return false;
    offset_ = offset;
    return true;
}

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    try {
        // Reading a folder opens fine and then throws from inside the stream buffer.
        std::vector<std::uint8_t> bytes(
            (std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad())
            return std::nullopt;
        return bytes;
    } catch (const std::ios_base::failure&) {
        return std::nullopt;
    }
}

} // namespace quom
