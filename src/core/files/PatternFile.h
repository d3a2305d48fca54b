#pragma once

#include "core/io/AtomicFile.h"
#include "core/io/Bytes.h"
#include "core/io/ReadResult.h"
#include "core/model/Cell.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Pattern files (.pat): "PATT", version, count, tempo, then one grid in cell-index
// order, every field little-endian; 16400 bytes in all.
namespace quom {

constexpr std::size_t kPatternFileSize = 16 + 4 * kCells;
// Bytes after the layout are allowed, within reason; anything larger is not a pattern.
inline constexpr FileKind kPatternFileKind{"a pattern", std::uint64_t{1} << 20};

struct PatternFileData {
    std::int32_t tempo = kDefaultTempo; // as stored; clamp it where it drives the engine
    Grid cells{};
};

// A file shorter than the layout is refused as a whole; bytes after it are ignored.
// path only names the file in the error.
ReadResult<PatternFileData> parsePatternFile(std::span<const std::uint8_t> bytes, const std::string& path);
ReadResult<PatternFileData> readPatternFile(const std::string& path);

// The tempo is written whole: a slider's tempo always fits the low 16 bits the field is
// meant for, and a tempo read from another file comes back out as it was read.
std::vector<std::uint8_t> encodePatternFile(const PatternFileData& pattern);
WriteResult writePatternFile(const std::string& path, const PatternFileData& pattern);

} // namespace quom
