#include "core/files/ProjectFile.h"

#include "core/io/Bytes.h"

#include <gtest/gtest.h>

namespace quom {
namespace {

constexpr std::size_t kEmptyProjectSize = 263248;

ProjectFileData projectWithSong(Song song)
{
    ProjectFileData p;
    p.tempos[2] = 97;
    p.patterns[2][100] = makeCell(1, 2, 3);
    p.slots[7] = {"/samples/snare.wav", true, false, 0, 127, 0};
    p.song = std::move(song);
    return p;
}

// The file of a project without a song, then a section of tag and body.
std::vector<std::uint8_t> withSection(std::string_view tag, const std::vector<std::uint8_t>& body)
{
    ByteWriter out;
    out.raw(encodeProjectFile(ProjectFileData{}));
    out.text(tag);
    out.u32le(static_cast<std::uint32_t>(body.size()));
    out.raw(body);
    return std::move(out.bytes());
}

std::vector<std::uint8_t> songBody(std::uint32_t version, std::uint32_t count, std::size_t entryBytes)
{
    ByteWriter body;
    body.u32le(version);
    body.u32le(count);
    for (std::size_t i = 0; i < entryBytes / 2; ++i) {
        body.u8(static_cast<std::uint8_t>(i % kPatternSlots));
        body.u8(static_cast<std::uint8_t>(1 + i % kMaxRepeats));
    }
    return std::move(body.bytes());
}

TEST(SongSection, SongRoundTripsAfterFixedFieldsLeftByteForByteAsTheyWere)
{
    const Song song{{0, 1}, {15, 99}, {4, 3}, {0, 1}};
    const auto plain = encodeProjectFile(projectWithSong({}));
    const auto bytes = encodeProjectFile(projectWithSong(song));
    ASSERT_EQ(plain.size(), kEmptyProjectSize + std::string_view("/samples/snare.wav").size() - 8);
    ASSERT_GT(bytes.size(), plain.size());
    EXPECT_TRUE(std::equal(plain.begin(), plain.end(), bytes.begin()))
        << "the fixed fields, and the version in them, are not changed by the song";

    const auto read = parseProjectFile(bytes, "s.qom");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->song, song);
    EXPECT_EQ(read->skippedSection, "");
    EXPECT_EQ(read->tempos[2], 97);
    EXPECT_EQ(read->slots[7].name, "/samples/snare.wav");
    EXPECT_EQ(encodeProjectFile(*read), bytes);

    // A reader that knows only the fixed fields reads them and stops: what it sees is
    // the project without the song.
    const std::vector<std::uint8_t> fixedOnly(
        bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(plain.size()));
    const auto old = parseProjectFile(fixedOnly, "s.qom");
    ASSERT_TRUE(old);
    EXPECT_TRUE(old->song.empty());
    EXPECT_EQ(encodeProjectFile(*old), plain);

    const Song longest(kMaxSongEntries, SongEntry{9, 42});
    EXPECT_EQ(parseProjectFile(encodeProjectFile(projectWithSong(longest)), "l.qom")->song, longest);
}

TEST(SongSection, DamagedOrUnknownSectionsAreReportedOnceAndTheRestLoads)
{
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* problem;
    };
    auto tooLong = withSection("SONG", songBody(1, 2, 4));
    tooLong[kEmptyProjectSize + 4] = 0xFF; // the length runs past the file
    auto unknownThenSong = withSection("NEWS", {1, 2, 3});
    const auto song = songBody(1, 1, 2);
    ByteWriter tail;
    tail.text("SONG");
    tail.u32le(static_cast<std::uint32_t>(song.size()));
    tail.raw(song);
    unknownThenSong.insert(unknownThenSong.end(), tail.bytes().begin(), tail.bytes().end());
    auto badPattern = songBody(1, 2, 4);
    badPattern[8 + 2] = 16;
    auto zeroRepeats = songBody(1, 1, 2);
    zeroRepeats[8 + 1] = 0;
    auto manyRepeats = songBody(1, 1, 2);
    manyRepeats[8 + 1] = 100;
    const Case cases[] = {
        {"length past the end", tooLong, "a section is longer than the rest of the file"},
        {"header cut short", withSection("SO", {}), "the project file ends inside a section's header"},
        {"unknown before song", unknownThenSong, "a section of an unknown kind is skipped"},
        {"newer version", withSection("SONG", songBody(2, 1, 2)),
            "the song section has version 2, which this Quom cannot read"},
        {"count past its body", withSection("SONG", songBody(1, 3, 4)),
            "the song section is shorter than its 3 entries"},
        {"body without count", withSection("SONG", {1, 0, 0, 0}), "the song section is incomplete"},
        {"pattern 17", withSection("SONG", badPattern),
            "song entry 2 names pattern 17 * 2, outside 1-16 * 1-99"},
        {"repeats 0", withSection("SONG", zeroRepeats),
            "song entry 1 names pattern 1 * 0, outside 1-16 * 1-99"},
        {"repeats 100", withSection("SONG", manyRepeats),
            "song entry 1 names pattern 1 * 100, outside 1-16 * 1-99"},
    };
    for (const Case& c : cases) {
        const auto read = parseProjectFile(c.bytes, "d.qom");
        ASSERT_TRUE(read) << c.what;
        EXPECT_EQ(read->skippedSection, c.problem) << c.what;
    }
    EXPECT_EQ(parseProjectFile(unknownThenSong, "d.qom")->song, (Song{{0, 1}}));
}

TEST(SongSection, HundredThousandEntriesKeepTheFirstOfThem)
{
    const auto bytes = withSection("SONG", songBody(1, 100000, 200000));
    const auto read = parseProjectFile(bytes, "big.qom");
    ASSERT_TRUE(read);
    ASSERT_EQ(read->song.size(), kMaxSongEntries);
    EXPECT_EQ(read->song[17], (SongEntry{1, 18}));
    EXPECT_EQ(read->skippedSection, "the song has 100000 entries; the first 256 are kept");
}

} // namespace
} // namespace quom
