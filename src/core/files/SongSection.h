#pragma once

#include "core/io/Bytes.h"
#include "core/model/Song.h"

#include <optional>
#include <span>
#include <string>

// The song's section of a project file, after the 64 slot records: the tag "SONG", the
// length of what follows it (u32), then the version (u32), the entry count (u32) and
// per entry its pattern (0..15) and repeats, one byte each; little-endian. The length
// lets a reader skip a section it does not know, and a reader that stops after the
// slot records never sees it.
namespace quom {

struct TrailingSections {
    Song song;
    // Why a section was skipped or cut short; empty when every one was read whole.
    std::string problem;
};

// Appends the song's section; nothing for an empty song, so such a file stays as it was.
void writeSongSection(ByteWriter& out, const Song& song);

// Reads the sections in bytes (everything after the slot records). A section that is
// damaged or unknown is skipped, and so is whatever follows a length that runs past the
// file; the first problem is kept. A song longer than kMaxSongEntries keeps its first
// entries.
TrailingSections readTrailingSections(std::span<const std::uint8_t> bytes);

} // namespace quom
