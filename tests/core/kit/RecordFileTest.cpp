#include "core/kit/RecordFile.h"
#include "core/kit/WaveReader.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"
#include "support/WaveBytes.h"

#include <gtest/gtest.h>

namespace {

using namespace wavebytes;
using quom::RecordFile;
using quom::WaveFormat;

std::uint32_t u32At(const Bytes& b, std::size_t offset)
{
    return b[offset] | (b[offset + 1] << 8) | (b[offset + 2] << 16) | (std::uint32_t{b[offset + 3]} << 24);
}

std::string tagAt(const Bytes& b, std::size_t offset)
{
    return std::string(b.begin() + offset, b.begin() + offset + 4);
}

Bytes counting(std::size_t n, std::uint8_t start = 0)
{
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>(start + i * 7);
    return b;
}

TEST(RecordFile, WritesTheRecordingLayout)
{
    TempDir dir;
    const auto part1 = counting(400);
    const auto part2 = counting(200 * 1024, 3); // larger than the buffer
    const auto part3 = counting(12, 9);
    {
        RecordFile rec;
        ASSERT_TRUE(rec.OpenRecordFile(dir.file("output1.wav"), WaveFormat{}));
        ASSERT_TRUE(rec.AppendRecordData(part1));
        ASSERT_TRUE(rec.AppendRecordData(part2));
        ASSERT_TRUE(rec.AppendRecordData(part3));
        EXPECT_FALSE(dir.exists("output1.wav")) << "the name holds only finished recordings";
        ASSERT_TRUE(rec.CloseRecordFile(51303));
        EXPECT_FALSE(rec.isOpen());
    }
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"output1.wav"});

    const auto file = dir.read("output1.wav");
    const std::size_t data = part1.size() + part2.size() + part3.size();
    ASSERT_EQ(file.size(), 56 + data);
    EXPECT_EQ(tagAt(file, 0), "RIFF");
    EXPECT_EQ(u32At(file, 4), file.size() - 8);
    EXPECT_EQ(tagAt(file, 8), "WAVE");
    EXPECT_EQ(tagAt(file, 12), "fmt ");
    EXPECT_EQ(u32At(file, 16), 16u);
    EXPECT_EQ(Bytes(file.begin() + 20, file.begin() + 36),
        (Bytes{1, 0, 2, 0, 0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0, 4, 0, 16, 0}));
    EXPECT_EQ(tagAt(file, 36), "fact");
    EXPECT_EQ(u32At(file, 40), 4u);
    EXPECT_EQ(u32At(file, 44), 51303u);
    EXPECT_EQ(tagAt(file, 48), "data");
    EXPECT_EQ(u32At(file, 52), data);

    Bytes appended = part1;
    appended.insert(appended.end(), part2.begin(), part2.end());
    appended.insert(appended.end(), part3.begin(), part3.end());
    EXPECT_EQ(Bytes(file.begin() + 56, file.end()), appended);

    const auto read = quom::decodeWave(file, "output1.wav");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->samples.size(), data / 4);
}

TEST(RecordFile, OddDataGetsAPadByteAndOtherFormatsTheirExtraBytes)
{
    TempDir dir;
    WaveFormat format;
    format.tag = 2;
    format.channels = 1;
    format.extra = {0xAA, 0xBB, 0xCC};
    RecordFile rec;
    ASSERT_TRUE(rec.OpenRecordFile(dir.file("odd.wav"), format));
    ASSERT_TRUE(rec.AppendRecordData(Bytes{1, 2, 3}));
    ASSERT_TRUE(rec.CloseRecordFile(3));

    const auto file = dir.read("odd.wav");
    // fmt: 18 + 3 extra bytes, then a pad byte.
    EXPECT_EQ(u32At(file, 16), 21u);
    EXPECT_EQ(Bytes(file.begin() + 36, file.begin() + 42), (Bytes{3, 0, 0xAA, 0xBB, 0xCC, 0}));
    EXPECT_EQ(tagAt(file, 42), "fact");
    EXPECT_EQ(u32At(file, 50), 3u);
    EXPECT_EQ(tagAt(file, 54), "data");
    EXPECT_EQ(u32At(file, 58), 3u);
    EXPECT_EQ(Bytes(file.begin() + 62, file.end()), (Bytes{1, 2, 3, 0}));
    EXPECT_EQ(u32At(file, 4), file.size() - 8);
}

TEST(RecordFile, DestructionFinishesAnOpenRecording)
{
    TempDir dir;
    {
        RecordFile rec;
        ASSERT_TRUE(rec.OpenRecordFile(dir.file("cut.wav"), WaveFormat{}));
        ASSERT_TRUE(rec.AppendRecordData(counting(4 * 10 + 2)));
        EXPECT_FALSE(rec.OpenRecordFile(dir.file("second.wav"), WaveFormat{}));
    }
    const auto file = dir.read("cut.wav");
    EXPECT_EQ(u32At(file, 44), 10u) << "whole frames appended";
    EXPECT_EQ(u32At(file, 52), 42u);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"cut.wav"});
}

TEST(RecordFile, FailuresLeaveNoFileBehind)
{
    TempDir dir;
    RecordFile rec;
    EXPECT_FALSE(rec.OpenRecordFile(dir.file("missing/folder.wav"), WaveFormat{}));
    EXPECT_FALSE(rec.AppendRecordData(Bytes{1, 2}));
    EXPECT_FALSE(rec.CloseRecordFile(0));

    dir.write("full.wav", std::string("earlier recording"));
    {
        FileSizeLimit limit(100 * 1024);
        ASSERT_TRUE(rec.OpenRecordFile(dir.file("full.wav"), WaveFormat{}));
        const auto block = counting(64 * 1024);
        bool failed = false;
        for (int i = 0; i < 4 && !failed; ++i)
            failed = !rec.AppendRecordData(block);
        EXPECT_TRUE(failed);
        EXPECT_FALSE(rec.AppendRecordData(Bytes{1, 2, 3, 4})) << "a failed recording stays failed";
        const auto closed = rec.CloseRecordFile(1);
        EXPECT_FALSE(closed);
        EXPECT_NE(closed.error.find("full.wav"), std::string::npos);
    }
    const auto kept = dir.read("full.wav");
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "earlier recording");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"full.wav"});
}

} // namespace
