#include "core/files/PatternFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quom {
namespace {

PatternFileData samplePattern()
{
    PatternFileData p;
    p.tempo = 120;
    for (int i = 0; i < kCells; ++i)
        p.cells[i] = (i % 7 == 0) ? makeCell(i & 0xFF, (i >> 4) & 0xFF, 255 - (i & 0xFF)) : 0;
    return p;
}

std::uint32_t wordAt(const std::vector<std::uint8_t>& b, std::size_t offset)
{
    return b[offset] | (b[offset + 1] << 8) | (b[offset + 2] << 16) | (std::uint32_t(b[offset + 3]) << 24);
}

TEST(PatternFile, LayoutIsMagicVersionCountTempoThenColumnMajorCells)
{
    PatternFileData p;
    p.tempo = 120;
    p.cells[cellIndex(1, 2)] = makeCell(0x11, 0x22, 0x33);
    const auto bytes = encodePatternFile(p);

    ASSERT_EQ(bytes.size(), 16400u);
    const std::vector<std::uint8_t> head(bytes.begin(), bytes.begin() + 16);
    EXPECT_EQ(head, (std::vector<std::uint8_t>{'P', 'A', 'T', 'T', 1, 0, 1, 0, 1, 0, 0, 0, 0x78, 0, 0, 0}));
    const std::size_t at = 16 + 4 * (1 * 64 + 2);
    EXPECT_EQ(bytes[at], 0x11);
    EXPECT_EQ(bytes[at + 1], 0x22);
    EXPECT_EQ(bytes[at + 2], 0x33);
    EXPECT_EQ(bytes[at + 3], 0);
    EXPECT_EQ(wordAt(bytes, 16 + 4 * (2 * 64 + 1)), 0u);
}

TEST(PatternFile, SavedPatternReadsBackIdentically)
{
    TempDir dir;
    const auto p = samplePattern();
    ASSERT_TRUE(writePatternFile(dir.file("a.pat"), p));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"a.pat"}); // no temporary left behind

    const auto read = readPatternFile(dir.file("a.pat"));
    ASSERT_TRUE(read) << read.error().message();
    EXPECT_EQ(read->tempo, 120);
    EXPECT_EQ(read->cells, p.cells);
}

TEST(PatternFile, TempoIsKeptAsStoredEvenOutsideTheSliderRange)
{
    for (std::int32_t tempo : {0, -3, 351, 100000}) {
        auto bytes = encodePatternFile(samplePattern());
        for (int i = 0; i < 4; ++i)
            bytes[12 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(tempo) >> (8 * i));
        const auto read = parsePatternFile(bytes, "t.pat");
        ASSERT_TRUE(read);
        EXPECT_EQ(read->tempo, tempo);
    }
}

TEST(PatternFile, IgnoresVersionCountAndTrailingBytes)
{
    auto bytes = encodePatternFile(samplePattern());
    bytes[4] = 9;
    bytes[8] = 5;
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5});
    const auto read = parsePatternFile(bytes, "x.pat");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->cells, samplePattern().cells);
}

TEST(PatternFile, TruncatedFileIsRefusedWhereverItEnds)
{
    const auto whole = encodePatternFile(samplePattern());
    for (std::size_t size : {4u, 11u, 12u, 15u, 16u, 17u, 8000u, 16396u, 16399u}) {
        const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + size);
        const auto read = parsePatternFile(cut, "/some/where/cut.pat");
        ASSERT_FALSE(read) << size;
        EXPECT_EQ(read.error().kind, ReadFailure::Damaged) << size;
        EXPECT_NE(read.error().message().find("/some/where/cut.pat"), std::string::npos);
    }
}

TEST(PatternFile, WrongMagicIsRefused)
{
    auto bytes = encodePatternFile(samplePattern());
    for (const char* magic : {"QUOM", "patt", "TTAP"}) {
        std::copy(magic, magic + 4, bytes.begin());
        const auto read = parsePatternFile(bytes, "m.pat");
        ASSERT_FALSE(read) << magic;
        EXPECT_EQ(read.error().kind, ReadFailure::WrongMagic);
    }
    EXPECT_EQ(parsePatternFile({}, "empty.pat").error().kind, ReadFailure::WrongMagic);
    const std::vector<std::uint8_t> shortMagic{'P', 'A', 'T'};
    EXPECT_EQ(parsePatternFile(shortMagic, "short.pat").error().kind, ReadFailure::WrongMagic);
}

TEST(PatternFile, MissingFileAndUnwritableTargetNameThePath)
{
    TempDir dir;
    const auto read = readPatternFile(dir.file("missing.pat"));
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().kind, ReadFailure::Unreadable);
    EXPECT_NE(read.error().message().find("missing.pat"), std::string::npos);

    const auto written = writePatternFile(dir.file("no/such/folder/p.pat"), samplePattern());
    EXPECT_FALSE(written);
    EXPECT_NE(written.error.find("p.pat"), std::string::npos);
}

} // namespace
} // namespace quom
