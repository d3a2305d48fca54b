#include "core/files/FileType.h"

#include <algorithm>
#include <string_view>

namespace quom {
namespace {

bool hasAt(std::span<const std::uint8_t> bytes, std::size_t offset, std::string_view tag) noexcept
{
    return bytes.size() >= offset + tag.size()
        && std::equal(tag.begin(), tag.end(), bytes.begin() + offset,
            [](char t, std::uint8_t b) { return static_cast<std::uint8_t>(t) == b; });
}

bool looksLikeXml(std::span<const std::uint8_t> bytes) noexcept
{
    std::size_t i = hasAt(bytes, 0, "\xEF\xBB\xBF") ? 3 : 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return i < bytes.size() && bytes[i] == '<';
}

} // namespace

FileType detectFileType(std::span<const std::uint8_t> bytes) noexcept
{
    if (hasAt(bytes, 0, "RIFF") && hasAt(bytes, 8, "WAVE"))
        return FileType::Wave;
    if (hasAt(bytes, 0, "QUOM"))
        return FileType::Project;
    if (hasAt(bytes, 0, "PATT"))
        return FileType::Pattern;
    if (looksLikeXml(bytes))
        return FileType::Kit;
    return FileType::Unknown;
}

} // namespace quom
