#pragma once

#include "core/io/ReadResult.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Explicit little- and big-endian fields for the file formats: no packed structs.
namespace quom {

class ByteWriter {
public:
    void u8(std::uint8_t v) { bytes_.push_back(v); }
    void u16le(std::uint16_t v) { put(v, 2, false); }
    void u32le(std::uint32_t v) { put(v, 4, false); }
    void u16be(std::uint16_t v) { put(v, 2, true); }
    void u32be(std::uint32_t v) { put(v, 4, true); }
    void text(std::string_view s) { append(s); }
    void raw(std::span<const std::uint8_t> s) { append(s); }

    // Overwrites an already written field, for sizes known only at the end.
    void patchU32le(std::size_t offset, std::uint32_t v);
    void patchU32be(std::size_t offset, std::uint32_t v);

    std::size_t size() const noexcept { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const noexcept { return bytes_; }
    std::vector<std::uint8_t>& bytes() noexcept { return bytes_; }

private:
    void put(std::uint32_t v, int width, bool bigEndian);
    // Makes room, then copies into it: GCC 12 at -O3 takes an insert at the end of a
    // vector still empty for an overflow of its storage.
    template <typename Range> void append(const Range& range)
    {
        const std::size_t at = bytes_.size();
        bytes_.resize(at + range.size());
        std::copy(range.begin(), range.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(at));
    }
    std::vector<std::uint8_t> bytes_;
};

// Bounds-checked reading: every read past the end returns nothing and leaves the
// reader failed, so a parser can read a whole record and check once.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) noexcept
        : bytes_(bytes)
    {
    }

    std::optional<std::uint8_t> u8() noexcept;
    std::optional<std::uint16_t> u16le() noexcept;
    std::optional<std::uint32_t> u32le() noexcept;
    std::optional<std::int32_t> i32le() noexcept;
    // Exactly n bytes, or nothing.
    std::optional<std::span<const std::uint8_t>> take(std::size_t n) noexcept;
    bool skip(std::size_t n) noexcept;
    bool seek(std::size_t offset) noexcept;

    std::size_t offset() const noexcept { return offset_; }
    std::size_t remaining() const noexcept { return bytes_.size() - offset_; }

private:
    std::optional<std::uint32_t> little(int width) noexcept;
    std::span<const std::uint8_t> bytes_;
    std::size_t offset_ = 0;
};

// What a file is read as: the words a refusal names it by ("a project") and the largest
// size such a file can plausibly have.
struct FileKind {
    std::string_view name;
    std::uint64_t largest;
};

// The whole of a regular file no larger than its kind allows: every file Quom reads comes
// through here. A FIFO, a device or a folder is refused without reading from it (its path
// "is not a regular file"), and a larger file before anything is allocated ("is too large
// to be a project"), so no path can block or pour bytes until memory runs out.
ReadResult<std::vector<std::uint8_t>> readRegularFile(const std::string& path, const FileKind& kind);
// The same checks without reading, for a file another library opens itself.
ReadStatus checkRegularFile(const std::string& path, const FileKind& kind);

} // namespace quom
