#include "core/files/SongSection.h"

#include <algorithm>
#include <string_view>

namespace quom {
namespace {

constexpr std::string_view kSongTag = "SONG";
constexpr std::uint32_t kSongVersion = 1;
constexpr std::size_t kSectionHeader = 8; // tag and length
constexpr std::size_t kEntryBytes = 2;

// The song of a section's body, or why it was skipped (problem set, song empty).
TrailingSections readSongBody(std::span<const std::uint8_t> body)
{
    ByteReader in(body);
    const auto version = in.u32le();
    const auto count = in.u32le();
    if (!count)
        return {{}, "the song section is incomplete"};
    if (*version != kSongVersion)
        return {
            {}, "the song section has version " + std::to_string(*version) + ", which this Quom cannot read"};
    if (*count > in.remaining() / kEntryBytes)
        return {{}, "the song section is shorter than its " + std::to_string(*count) + " entries"};
    TrailingSections read;
    const std::size_t kept = std::min<std::size_t>(*count, kMaxSongEntries);
    read.song.reserve(kept);
    for (std::size_t i = 0; i < kept; ++i) {
        const int pattern = *in.u8();
        const int repeats = *in.u8();
        if (pattern >= kPatternSlots || repeats < kMinRepeats || repeats > kMaxRepeats)
            return {{},
                "song entry " + std::to_string(i + 1) + " names pattern " + std::to_string(pattern + 1)
                    + " * " + std::to_string(repeats) + ", outside 1-16 * 1-99"};
        read.song.push_back({pattern, repeats});
    }
    if (*count > kMaxSongEntries)
        read.problem = "the song has " + std::to_string(*count) + " entries; the first "
            + std::to_string(kMaxSongEntries) + " are kept";
    return read;
}

} // namespace

void writeSongSection(ByteWriter& out, const Song& song)
{
    if (song.empty())
        return;
    out.text(kSongTag);
    out.u32le(static_cast<std::uint32_t>(8 + kEntryBytes * song.size()));
    out.u32le(kSongVersion);
    out.u32le(static_cast<std::uint32_t>(song.size()));
    for (const SongEntry& entry : song) {
        out.u8(static_cast<std::uint8_t>(entry.pattern));
        out.u8(static_cast<std::uint8_t>(entry.repeats));
    }
}

TrailingSections readTrailingSections(std::span<const std::uint8_t> bytes)
{
    TrailingSections read;
    const auto note = [&read](std::string problem) {
        if (read.problem.empty())
            read.problem = std::move(problem);
    };
    ByteReader in(bytes);
    while (in.remaining() > 0) {
        if (in.remaining() < kSectionHeader) {
            note("the project file ends inside a section's header");
            break;
        }
        const auto tag = *in.take(4);
        const std::uint32_t length = *in.u32le();
        if (length > in.remaining()) {
            note("a section is longer than the rest of the file");
            break;
        }
        const auto body = *in.take(length);
        if (!std::equal(kSongTag.begin(), kSongTag.end(), tag.begin())) {
            note("a section of an unknown kind is skipped");
            continue;
        }
        TrailingSections song = readSongBody(body);
        if (!song.problem.empty())
            note(song.problem);
        if (!song.song.empty())
            read.song = std::move(song.song);
    }
    return read;
}

} // namespace quom
