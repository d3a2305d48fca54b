#pragma once

#include "core/io/AtomicFile.h"
#include "core/io/Bytes.h"
#include "core/io/ReadResult.h"
#include "core/kit/Instrument.h"
#include "core/model/Cell.h"
#include "core/model/Song.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Project files (.qom): "QUOM", version, count, 16 x (tempo, grid), the kit section
// count, then one variable-length record per kit slot; every field little-endian. Then,
// only when there is one, the song's section (SongSection.h), which a reader of the
// fields before it never reaches.
namespace quom {

constexpr int kProjectKitSlots = 64;
// The longest slot path a reader accepts; longer ones mark a damaged file.
constexpr std::size_t kMaxSlotPathLength = 1023;
// Far beyond the largest layout (about 330 kB with every path at its longest), as bytes
// after the last record are allowed; anything larger is not a project.
inline constexpr FileKind kProjectFileKind{"a project", std::uint64_t{16} << 20};

struct ProjectSlot {
    std::string name = kNotUsed; // sample path, or "not used"
    bool loop = false;
    bool fade = false;
    std::uint8_t minKey = 0;
    std::uint8_t maxKey = 127;
    std::uint16_t scaleIndex = 0;
};

struct ProjectFileData {
    std::array<std::int32_t, kPatternSlots> tempos; // as stored; clamp where they drive the engine
    std::vector<Grid> patterns; // kPatternSlots grids
    std::array<ProjectSlot, kProjectKitSlots> slots;
    Song song; // empty: none
    // Why a section after the slot records was skipped or cut short, for the caller to
    // report once with the path; the patterns and the kit load all the same.
    std::string skippedSection;

    // A new project: 16 empty patterns at the default tempo, every slot unused.
    ProjectFileData();
};

// The slot record of an instrument: what a save writes.
ProjectSlot projectSlotOf(const CInstrument& instrument);
// What a load takes from a record: the sample path, loop and fade. The keys and the
// scale in the file never change the kit, and the sample is read by the caller.
void applyProjectSlot(const ProjectSlot& slot, CInstrument& instrument);

// Refused as a whole when the file is shorter than its layout (anywhere, also inside
// the slot records) or a slot path is longer than kMaxSlotPathLength; what follows the
// last record is read as sections, and a damaged one only skipped. path only names the
// file in the errors.
ReadResult<ProjectFileData> parseProjectFile(std::span<const std::uint8_t> bytes, const std::string& path);
ReadResult<ProjectFileData> readProjectFile(const std::string& path);

// Every slot name must be at most kMaxSlotPathLength bytes long: writeProjectFile
// refuses a project that its own reader would refuse.
std::vector<std::uint8_t> encodeProjectFile(const ProjectFileData& project);
WriteResult writeProjectFile(const std::string& path, const ProjectFileData& project);

} // namespace quom
