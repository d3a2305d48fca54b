#pragma once

#include <cstdint>
#include <span>

// Recognising Quom's files by their content, whatever their names say.
namespace quom {

enum class FileType { Unknown, Wave, Kit, Project, Pattern };

// Wave: "RIFF" then "WAVE" at offset 8. Project: "QUOM". Pattern: "PATT". Kit: text
// whose first non-blank character (after an optional UTF-8 byte order mark) is "<".
FileType detectFileType(std::span<const std::uint8_t> bytes) noexcept;

} // namespace quom
