#include "core/files/ProjectFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quom {
namespace {

constexpr std::size_t kSlotRecords = 262224;
constexpr std::size_t kEmptyProjectSize = 263248;

ProjectFileData sampleProject()
{
    ProjectFileData p;
    for (int s = 0; s < kPatternSlots; ++s) {
        p.tempos[s] = 60 + 17 * s;
        for (int i = s; i < kCells; i += 13 + s)
            p.patterns[s][i] = makeCell(i & 0xFF, s * 16, (i * 7) & 0xFF);
    }
    p.slots[0] = {"/samples/kick.wav", true, false, 0, 127, 0};
    p.slots[5] = {"C:\\Quom\\Waves\\snare 2.wav", false, true, 12, 96, 3};
    p.slots[63] = {"/x/last.wav", true, true, 1, 2, 0xABCD};
    return p;
}

std::vector<std::uint8_t> cut(const std::vector<std::uint8_t>& bytes, std::size_t size)
{
    return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size)};
}

void expectSameProject(const ProjectFileData& a, const ProjectFileData& b)
{
    EXPECT_EQ(a.tempos, b.tempos);
    EXPECT_EQ(a.patterns, b.patterns);
    for (int i = 0; i < kProjectKitSlots; ++i) {
        EXPECT_EQ(a.slots[i].name, b.slots[i].name) << i;
        EXPECT_EQ(a.slots[i].loop, b.slots[i].loop) << i;
        EXPECT_EQ(a.slots[i].fade, b.slots[i].fade) << i;
        EXPECT_EQ(a.slots[i].minKey, b.slots[i].minKey) << i;
        EXPECT_EQ(a.slots[i].maxKey, b.slots[i].maxKey) << i;
        EXPECT_EQ(a.slots[i].scaleIndex, b.slots[i].scaleIndex) << i;
    }
}

TEST(ProjectFile, EmptyProjectHasTheTableLayout)
{
    ProjectFileData p;
    p.tempos[2] = 0x01020304;
    p.patterns[15][cellIndex(63, 63)] = makeCell(1, 2, 3);
    const auto bytes = encodeProjectFile(p);
    ASSERT_EQ(bytes.size(), kEmptyProjectSize);

    EXPECT_EQ(cut(bytes, 16),
        (std::vector<std::uint8_t>{'Q', 'U', 'O', 'M', 1, 0, 1, 0, 16, 0, 0, 0, 120, 0, 0, 0}));
    const std::size_t tempo2 = 12 + 2 * 16388;
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + tempo2, bytes.begin() + tempo2 + 4),
        (std::vector<std::uint8_t>{4, 3, 2, 1}));
    EXPECT_EQ(bytes[262220 - 4], 1); // last cell of slot 15, red byte
    EXPECT_EQ(bytes[262220 - 2], 3);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 262220, bytes.begin() + kSlotRecords),
        (std::vector<std::uint8_t>{1, 0, 0, 0}));
    const std::vector<std::uint8_t> emptySlot{
        8, 0, 'n', 'o', 't', ' ', 'u', 's', 'e', 'd', 0, 0, 0, 127, 0, 0};
    for (int i = 0; i < 64; ++i) {
        const auto at = bytes.begin() + static_cast<std::ptrdiff_t>(kSlotRecords + 16 * i);
        EXPECT_EQ(std::vector<std::uint8_t>(at, at + 16), emptySlot) << i;
    }
}

TEST(ProjectFile, SavedProjectReadsBackIdentically)
{
    TempDir dir;
    const auto p = sampleProject();
    ASSERT_TRUE(writeProjectFile(dir.file("song.qom"), p));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"song.qom"});
    const auto read = readProjectFile(dir.file("song.qom"));
    ASSERT_TRUE(read) << read.error().message();
    expectSameProject(*read, p);
}

TEST(ProjectFile, SlotRecordsCarryKeysThatLoadingNeverAppliesToTheKit)
{
    CInstrument instrument;
    instrument.name = "/w/hat.wav";
    instrument.loop = true;
    instrument.minKey = 10;
    instrument.maxKey = 20;
    instrument.scaleIndex = 7;
    const ProjectSlot slot = projectSlotOf(instrument);
    EXPECT_EQ(slot.name, "/w/hat.wav");
    EXPECT_TRUE(slot.loop);
    EXPECT_FALSE(slot.fade);
    EXPECT_EQ(slot.minKey, 10);
    EXPECT_EQ(slot.maxKey, 20);
    EXPECT_EQ(slot.scaleIndex, 7);

    CInstrument loaded;
    loaded.data = std::vector<float>{0.5f};
    applyProjectSlot({"/w/ride.wav", false, true, 99, 100, 5}, loaded);
    EXPECT_EQ(loaded.name, "/w/ride.wav");
    EXPECT_FALSE(loaded.loop);
    EXPECT_TRUE(loaded.fade);
    EXPECT_EQ(loaded.minKey, 0);
    EXPECT_EQ(loaded.maxKey, 127);
    EXPECT_EQ(loaded.scaleIndex, 0);
    EXPECT_EQ(loaded.length(), 1u); // the sample is the caller's to read
}

TEST(ProjectFile, FlagsAreTrueOnlyForTheByteOne)
{
    auto bytes = encodeProjectFile(ProjectFileData{});
    bytes[kSlotRecords + 10] = 2; // loop of slot 0
    bytes[kSlotRecords + 11] = 0xFF; // fade of slot 0
    bytes[kSlotRecords + 16 + 10] = 1;
    const auto read = parseProjectFile(bytes, "f.qom");
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->slots[0].loop);
    EXPECT_FALSE(read->slots[0].fade);
    EXPECT_TRUE(read->slots[1].loop);
}

TEST(ProjectFile, PathEndsAtAnEmbeddedZeroAndTrailingBytesAreIgnored)
{
    auto bytes = encodeProjectFile(ProjectFileData{});
    bytes[kSlotRecords + 2 + 3] = 0; // "not\0used"
    bytes.insert(bytes.end(), 100, 0xEE);
    const auto read = parseProjectFile(bytes, "z.qom");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->slots[0].name, "not");
    EXPECT_EQ(read->slots[1].name, "not used");
}

TEST(ProjectFile, TruncatedFileIsRefusedWhereverItEnds)
{
    const auto whole = encodeProjectFile(sampleProject());
    std::vector<std::size_t> sizes{
        4, 8, 11, 12, 15, 16, 100, 16400, 16404, 131072, 262219, 262220, 262223, kSlotRecords};
    // Every offset inside the first and the last slot records, and inside the fields of one in the middle.
    const std::size_t lastRecord = whole.size() - (2 + 11 + 6);
    for (std::size_t s = kSlotRecords + 1; s < kSlotRecords + 2 + 17 + 6; ++s)
        sizes.push_back(s);
    for (std::size_t s = lastRecord; s < whole.size(); ++s)
        sizes.push_back(s);
    for (std::size_t s = kSlotRecords + 400; s < kSlotRecords + 420; ++s)
        sizes.push_back(s);

    for (std::size_t size : sizes) {
        const auto read = parseProjectFile(cut(whole, size), "/p/cut.qom");
        ASSERT_FALSE(read) << size;
        EXPECT_EQ(read.error().kind, ReadFailure::Damaged) << size;
        EXPECT_NE(read.error().message().find("/p/cut.qom"), std::string::npos);
    }
    EXPECT_TRUE(parseProjectFile(whole, "/p/whole.qom"));
}

TEST(ProjectFile, PathLengthAbove1023IsRefusedAsAWhole)
{
    ProjectFileData p;
    p.slots[7].name = std::string(1023, 'a');
    auto bytes = encodeProjectFile(p);
    const auto longest = parseProjectFile(bytes, "ok.qom");
    ASSERT_TRUE(longest);
    EXPECT_EQ(longest->slots[7].name.size(), 1023u);

    p.slots[7].name = std::string(1024, 'a');
    bytes = encodeProjectFile(p);
    const auto read = parseProjectFile(bytes, "long.qom");
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().kind, ReadFailure::Damaged);
    EXPECT_NE(read.error().message().find("slot record 8"), std::string::npos);

    // A length field of 0xFFFF in a file that is long enough to hold it is refused too.
    bytes = encodeProjectFile(ProjectFileData{});
    bytes[kSlotRecords] = 0xFF;
    bytes[kSlotRecords + 1] = 0xFF;
    bytes.resize(bytes.size() + 70000, 'x');
    EXPECT_FALSE(parseProjectFile(bytes, "huge.qom"));
}

TEST(ProjectFile, WriterRefusesAPathItsReaderWouldRefuse)
{
    TempDir dir;
    ProjectFileData p;
    p.slots[3].name = "/" + std::string(1023, 'b');
    const auto written = writeProjectFile(dir.file("long.qom"), p);
    EXPECT_FALSE(written);
    EXPECT_NE(written.error.find("long.qom"), std::string::npos);
    EXPECT_TRUE(dir.entries().empty());
}

TEST(ProjectFile, WrongMagicAndMissingFileAreToldApart)
{
    auto bytes = encodeProjectFile(ProjectFileData{});
    std::copy_n("PATT", 4, bytes.begin());
    EXPECT_EQ(parseProjectFile(bytes, "m.qom").error().kind, ReadFailure::WrongMagic);
    std::copy_n("quom", 4, bytes.begin());
    EXPECT_EQ(parseProjectFile(bytes, "m.qom").error().kind, ReadFailure::WrongMagic);
    EXPECT_EQ(parseProjectFile({}, "m.qom").error().kind, ReadFailure::WrongMagic);

    TempDir dir;
    const auto read = readProjectFile(dir.file("gone.qom"));
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().kind, ReadFailure::Unreadable);
    EXPECT_NE(read.error().message().find("gone.qom"), std::string::npos);
}

} // namespace
} // namespace quom
