#include "core/files/ProjectFile.h"

#include "core/files/GridBytes.h"
#include "core/files/SongSection.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace quom {
namespace {

constexpr std::string_view kMagic = "QUOM";
constexpr std::uint32_t kVersion = 0x00010001;
constexpr std::size_t kPatternsOffset = 12;
constexpr std::size_t kSlotRecordsOffset = kPatternsOffset + kPatternSlots * (4 + 4 * kCells) + 4;

ReadError damaged(const std::string& path, const std::string& detail)
{
    return {ReadFailure::Damaged, path, detail};
}

// The record after its length field; nothing when the file ends inside it.
std::optional<ProjectSlot> readSlotBody(ByteReader& in, std::size_t nameLength)
{
    const auto name = in.take(nameLength);
    const auto loop = in.u8();
    const auto fade = in.u8();
    const auto minKey = in.u8();
    const auto maxKey = in.u8();
    const auto scale = in.u16le();
    if (!scale) // a failed read leaves the reader at the end, so the last field tells for all
        return std::nullopt;
    ProjectSlot slot;
    // The path was held as a terminated string: it ends at an embedded zero byte.
    const auto* chars = reinterpret_cast<const char*>(name->data());
    slot.name.assign(chars, ::strnlen(chars, name->size()));
    slot.loop = *loop == 1;
    slot.fade = *fade == 1;
    slot.minKey = *minKey;
    slot.maxKey = *maxKey;
    slot.scaleIndex = *scale;
    return slot;
}

} // namespace

ProjectFileData::ProjectFileData()
    : patterns(kPatternSlots, Grid{})
{
    tempos.fill(kDefaultTempo);
}

ProjectSlot projectSlotOf(const CInstrument& instrument)
{
    return {instrument.name, instrument.loop, instrument.fade, instrument.minKey, instrument.maxKey,
        instrument.scaleIndex};
}

void applyProjectSlot(const ProjectSlot& slot, CInstrument& instrument)
{
    instrument.name = slot.name;
    instrument.loop = slot.loop;
    instrument.fade = slot.fade;
}

ReadResult<ProjectFileData> parseProjectFile(std::span<const std::uint8_t> bytes, const std::string& path)
{
    if (bytes.size() < 4 || !std::equal(kMagic.begin(), kMagic.end(), bytes.begin()))
        return ReadError{ReadFailure::WrongMagic, path, "not a Quom project file"};
    if (bytes.size() < kSlotRecordsOffset)
        return damaged(path, "the project file ends inside its patterns");

    ByteReader in(bytes);
    in.seek(kPatternsOffset); // version and pattern count carry nothing a reader needs
    ProjectFileData project;
    for (int slot = 0; slot < kPatternSlots; ++slot) {
        project.tempos[slot] = *in.i32le();
        project.patterns[slot] = *readGrid(in);
    }
    in.skip(4); // kit section count

    for (int i = 0; i < kProjectKitSlots; ++i) {
        const std::string record = "slot record " + std::to_string(i + 1);
        const auto nameLength = in.u16le();
        if (nameLength && *nameLength > kMaxSlotPathLength)
            return damaged(path,
                record + " has a sample path longer than " + std::to_string(kMaxSlotPathLength) + " bytes");
        auto slot = nameLength ? readSlotBody(in, *nameLength) : std::nullopt;
        if (!slot)
            return damaged(path, record + " is incomplete");
        project.slots[i] = std::move(*slot);
    }
    TrailingSections sections = readTrailingSections(bytes.subspan(in.offset()));
    project.song = std::move(sections.song);
    if (!sections.problem.empty())
        project.skippedSection = sections.problem;
    return project;
}

ReadResult<ProjectFileData> readProjectFile(const std::string& path)
{
    const auto bytes = readRegularFile(path, kProjectFileKind);
    if (!bytes)
        return bytes.error();
    return parseProjectFile(*bytes, path);
}

std::vector<std::uint8_t> encodeProjectFile(const ProjectFileData& project)
{
    ByteWriter out;
    out.bytes().reserve(kSlotRecordsOffset + kProjectKitSlots * 16);
    out.text(kMagic);
    out.u32le(kVersion);
    out.u32le(kPatternSlots);
    for (int slot = 0; slot < kPatternSlots; ++slot) {
        out.u32le(static_cast<std::uint32_t>(project.tempos[slot]));
        writeGrid(out, project.patterns[slot]);
    }
    out.u32le(1);
    for (const ProjectSlot& slot : project.slots) {
        out.u16le(static_cast<std::uint16_t>(slot.name.size()));
        out.text(slot.name);
        out.u8(slot.loop ? 1 : 0);
        out.u8(slot.fade ? 1 : 0);
        out.u8(slot.minKey);
        out.u8(slot.maxKey);
        out.u16le(slot.scaleIndex);
    }
    writeSongSection(out, project.song);
    return std::move(out.bytes());
}

WriteResult writeProjectFile(const std::string& path, const ProjectFileData& project)
{
    for (const ProjectSlot& slot : project.slots) {
        if (slot.name.size() > kMaxSlotPathLength)
            return {false,
                path + ": the sample path " + slot.name + " is longer than "
                    + std::to_string(kMaxSlotPathLength) + " bytes"};
    }
    return writeFileAtomically(path, encodeProjectFile(project));
}

} // namespace quom
