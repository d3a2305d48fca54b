#include "core/io/RecordFile.h"
#include "core/io/WaveReader.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"
#include "support/WaveBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/wait.h>
#include <unistd.h>

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

TEST(RecordFile, AFailedOpenLeavesNoFileAndAFailedWriteKeepsWhatCameBefore)
{
    TempDir dir;
    RecordFile rec;
    EXPECT_FALSE(rec.OpenRecordFile(dir.file("missing/folder.wav"), WaveFormat{}));
    EXPECT_FALSE(rec.AppendRecordData(Bytes{1, 2}));
    EXPECT_FALSE(rec.CloseRecordFile(0));
    EXPECT_TRUE(dir.entries().empty());

    dir.write("full.wav", std::string("earlier recording"));
    const auto block = counting(64 * 1024);
    {
        FileSizeLimit limit(100 * 1024);
        ASSERT_TRUE(rec.OpenRecordFile(dir.file("full.wav"), WaveFormat{}));
        ASSERT_TRUE(rec.AppendRecordData(block));
        EXPECT_FALSE(rec.AppendRecordData(block)) << "past the limit";
        EXPECT_FALSE(rec.AppendRecordData(Bytes{1, 2, 3, 4})) << "a failed recording stays failed";
        const auto closed = rec.CloseRecordFile(99999);
        EXPECT_FALSE(closed) << "the failure is still reported";
        EXPECT_NE(closed.error.find("full.wav"), std::string::npos);
    }
    // The half-written block is cut off; the fact counts what is kept.
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"full.wav"});
    const auto file = dir.read("full.wav");
    ASSERT_EQ(file.size(), 56 + block.size());
    EXPECT_EQ(u32At(file, 4), file.size() - 8);
    EXPECT_EQ(u32At(file, 44), block.size() / 4);
    EXPECT_EQ(u32At(file, 52), block.size());
    EXPECT_EQ(Bytes(file.begin() + 56, file.end()), block);
    EXPECT_EQ(rec.dataBytes(), block.size());
}

// Sizes on disk while a recording grows: what a crash would leave.
struct Sizes {
    std::uint32_t riff, fact, data;
    std::size_t fileBytes;
};

Sizes sizesOf(const Bytes& file)
{
    return {u32At(file, 4), u32At(file, 44), u32At(file, 52), file.size()};
}

TEST(RecordFile, ThePartialFileIsAValidWaveFileWhileItGrows)
{
    TempDir dir;
    RecordFile rec;
    ASSERT_TRUE(rec.OpenRecordFile(dir.file("live.wav"), WaveFormat{}));
    const std::string partial = "live.wav.partial";
    Sizes empty = sizesOf(dir.read(partial));
    EXPECT_EQ(empty.riff, 48u);
    EXPECT_EQ(empty.data, 0u);
    EXPECT_EQ(empty.fact, 0u);
    EXPECT_TRUE(quom::decodeWave(dir.read(partial), partial)) << "valid before any sound";

    // Three seconds in pieces the size the recorder's writer appends: the sizes trail
    // the sound by at most half a second (88200 bytes) at every step.
    const auto piece = counting(32768, 5);
    Bytes appended;
    std::uint32_t lastData = 0;
    while (appended.size() < 3 * 176400) {
        ASSERT_TRUE(rec.AppendRecordData(piece));
        appended.insert(appended.end(), piece.begin(), piece.end());
        const auto file = dir.read(partial);
        const Sizes now = sizesOf(file);
        ASSERT_GE(now.data, lastData);
        ASSERT_GE(now.data + 88200, appended.size());
        ASSERT_LE(56 + now.data, now.fileBytes);
        ASSERT_EQ(now.riff, 48 + now.data);
        ASSERT_EQ(now.fact, now.data / 4);
        ASSERT_TRUE(std::equal(file.begin() + 56, file.begin() + 56 + now.data, appended.begin()));
        lastData = now.data;
    }
    const auto read = quom::decodeWave(dir.read(partial), partial);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->samples.size(), lastData / 4);
    EXPECT_TRUE(rec.CloseRecordFile(static_cast<std::uint32_t>(appended.size() / 4)));
}

// Records the appends in a child process that ends without closing the file, as a
// killed Quom does: what is still in the writer's buffer dies with it.
void recordAndDie(const std::string& path, const std::vector<Bytes>& appends)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        RecordFile rec;
        bool ok = static_cast<bool>(rec.OpenRecordFile(path, WaveFormat{}));
        for (const Bytes& bytes : appends)
            ok = ok && rec.AppendRecordData(bytes);
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(RecordFile, FinishingARecordingAKillCutShort)
{
    TempDir dir;
    // The first piece passes a checkpoint; the second reaches the disk before the next
    // one (and ends in a torn frame); the third is still in the buffer.
    const auto first = counting(100 * 1024, 3);
    const auto second = counting(70 * 1024 + 2, 11);
    recordAndDie(dir.file("output1.wav"), {first, second, counting(1000)});
    const Sizes left = sizesOf(dir.read("output1.wav.partial"));
    EXPECT_EQ(left.data, first.size()) << "the sizes of the last checkpoint";
    EXPECT_EQ(left.fileBytes, 56 + first.size() + second.size());

    ASSERT_TRUE(quom::finishPartialRecording(dir.file("output1.wav.partial")));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"output1.wav"});
    const auto file = dir.read("output1.wav");
    Bytes kept = first;
    kept.insert(kept.end(), second.begin(), second.end() - 2);
    ASSERT_EQ(file.size(), 56 + kept.size());
    EXPECT_EQ(sizesOf(file).riff, file.size() - 8);
    EXPECT_EQ(sizesOf(file).data, kept.size());
    EXPECT_EQ(sizesOf(file).fact, kept.size() / 4);
    EXPECT_EQ(Bytes(file.begin() + 56, file.end()), kept);
    EXPECT_TRUE(quom::decodeWave(file, "output1.wav"));
}

TEST(RecordFile, FinishingRefusesWhatItCannotSafelyName)
{
    TempDir dir;
    const auto finish = [&](const std::string& name) { return quom::finishPartialRecording(dir.file(name)); };

    dir.write("junk.wav.partial", std::string("not a wave file at all"));
    EXPECT_FALSE(finish("junk.wav.partial"));
    dir.write("nodata.wav.partial", riffWave({fmtChunk(2, 16)}));
    EXPECT_FALSE(finish("nodata.wav.partial")) << "no data chunk";

    // A finished file of the same name is never replaced.
    recordAndDie(dir.file("taken.wav"), {counting(400)});
    dir.write("taken.wav", std::string("someone else's"));
    EXPECT_FALSE(finish("taken.wav.partial"));

    // A recording that is still being written belongs to the recorder writing it.
    RecordFile live;
    ASSERT_TRUE(live.OpenRecordFile(dir.file("live.wav"), WaveFormat{}));
    const auto refused = finish("live.wav.partial");
    EXPECT_FALSE(refused);
    EXPECT_NE(refused.error.find("live.wav.partial"), std::string::npos);
    ASSERT_TRUE(live.CloseRecordFile(0));

    EXPECT_EQ(dir.entries(),
        (std::vector<std::string>{
            "junk.wav.partial", "live.wav", "nodata.wav.partial", "taken.wav", "taken.wav.partial"}));
    const auto junk = dir.read("junk.wav.partial");
    EXPECT_EQ(std::string(junk.begin(), junk.end()), "not a wave file at all") << "left as it was";
}

} // namespace
