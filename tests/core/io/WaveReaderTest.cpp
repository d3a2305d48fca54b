#include "core/io/WaveReader.h"
#include "core/kit/Instrument.h"
#include "support/TempDir.h"
#include "support/WaveBytes.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace wavebytes;
using quom::CInstrument;

constexpr float kTwoToMinus31 = 1.0f / 2147483648.0f;

quom::ReadResult<quom::DecodedWave> decode(std::span<const std::uint8_t> file)
{
    return quom::decodeWave(file, "test.wav");
}

std::vector<float> decoded(const Bytes& file)
{
    const auto r = decode(file);
    EXPECT_TRUE(r) << r.error().message();
    return r ? r->samples : std::vector<float>{};
}

TEST(WaveReader, SixteenBitStereoKeepsTheLeftChannel)
{
    Bytes data;
    std::vector<float> left;
    for (int i = 0; i < 1000; ++i) {
        const auto l = static_cast<std::int16_t>(i * 61 - 30000);
        put16(data, static_cast<std::uint16_t>(l));
        put16(data, static_cast<std::uint16_t>(-l));
        left.push_back(static_cast<float>(l) / 32768.0f);
    }
    TempDir dir;
    dir.write("stereo.wav", riffWave({fmtChunk(2, 16), dataChunk(data)}));

    CInstrument inst;
    inst.name = "keep me";
    inst.loop = true;
    ASSERT_TRUE(inst.LoadWave(dir.file("stereo.wav")));
    EXPECT_EQ(inst.length(), 1000u);
    EXPECT_EQ(inst.data.values(), left);
    EXPECT_EQ(inst.name, "keep me");
    EXPECT_TRUE(inst.loop);
}

TEST(WaveReader, EachSampleWidthScalesToTheUnitRange)
{
    EXPECT_EQ(decoded(riffWave({fmtChunk(1, 8), dataChunk({128, 0, 255, 192})})),
        (std::vector<float>{0.0f, -1.0f, 0.9921875f, 0.5f}));

    EXPECT_EQ(decoded(mono16({0, -32768, 32767, 16384})),
        (std::vector<float>{0.0f, -1.0f, 32767.0f / 32768.0f, 0.5f}));

    // 24-bit samples sit in the top three bytes of a signed 32-bit word.
    EXPECT_EQ(decoded(riffWave(
                  {fmtChunk(1, 24), dataChunk({0x00, 0x00, 0x80, 0xFF, 0xFF, 0x7F, 0x01, 0x00, 0x00})})),
        (std::vector<float>{-1.0f, 0x7FFFFF00 * kTwoToMinus31, 256 * kTwoToMinus31}));

    Bytes words;
    put32(words, 0x80000000u);
    put32(words, 1);
    put32(words, 0x40000000u);
    EXPECT_EQ(decoded(riffWave({fmtChunk(1, 32), dataChunk(words)})),
        (std::vector<float>{-1.0f, kTwoToMinus31, 0.5f}));
}

// The float sub-format of the extensible format: 40 bytes of fmt.
Chunk extensibleFmt(std::uint16_t bits, std::uint16_t subFormat)
{
    Chunk c = fmtChunk(1, bits, 0xFFFE);
    put16(c.body, 22); // the extension's size
    put16(c.body, bits); // valid bits
    put32(c.body, 4); // front centre
    put16(c.body, subFormat);
    for (const std::uint8_t b :
        {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71})
        c.body.push_back(b);
    return c;
}

TEST(WaveReader, FloatFilesHoldTheFloatsOfTheirSixteenBitTwins)
{
    std::vector<std::int16_t> pcm;
    Bytes singles;
    Bytes doubles;
    for (int i = 0; i < 500; ++i) {
        const auto v = static_cast<std::int16_t>(std::lround(30000 * std::sin(i * 0.07)));
        pcm.push_back(v);
        put32(singles, std::bit_cast<std::uint32_t>(v / 32768.0f));
        const auto bits = std::bit_cast<std::uint64_t>(v / 32768.0);
        put32(doubles, static_cast<std::uint32_t>(bits));
        put32(doubles, static_cast<std::uint32_t>(bits >> 32));
    }
    const std::vector<float> twin = decoded(mono16(pcm));
    EXPECT_EQ(decoded(riffWave({fmtChunk(1, 32, 3), dataChunk(singles)})), twin);
    EXPECT_EQ(decoded(riffWave({fmtChunk(1, 64, 3), dataChunk(doubles)})), twin);
    EXPECT_EQ(decoded(riffWave({extensibleFmt(32, 3), dataChunk(singles)})), twin);
    EXPECT_EQ(decoded(riffWave({extensibleFmt(64, 3), dataChunk(doubles)})), twin);

    // Integer widths keep being read as integers whatever the tag says.
    Bytes one;
    put32(one, 0x40000000u);
    EXPECT_EQ(decoded(riffWave({extensibleFmt(32, 1), dataChunk(one)})), std::vector<float>{0.5f});
    EXPECT_EQ(decoded(riffWave({fmtChunk(1, 16, 3), dataChunk(pcm16({16384}))})), std::vector<float>{0.5f});
    EXPECT_FALSE(decode(riffWave({fmtChunk(1, 64), dataChunk(doubles)}))) << "64-bit integers";

    // An infinity or a NaN would poison the whole mix: it reads as silence.
    Bytes odd;
    for (const std::uint32_t word : {0x7F800000u, 0xFF800000u, 0x7FC00000u, 0x3F000000u})
        put32(odd, word);
    EXPECT_EQ(decoded(riffWave({fmtChunk(1, 32, 3), dataChunk(odd)})), (std::vector<float>{0, 0, 0, 0.5f}));
    Bytes huge;
    put32(huge, 0);
    put32(huge, 0x7FE00000u); // about 9e307, beyond any float
    EXPECT_EQ(decoded(riffWave({fmtChunk(1, 64, 3), dataChunk(huge)})), std::vector<float>{0});
}

TEST(WaveReader, ARefusalSaysWhy)
{
    const Chunk data = dataChunk(pcm16({1, 2, 3, 4}));
    const auto twelve = decode(riffWave({fmtChunk(1, 12), data}));
    EXPECT_EQ(twelve.error().kind, quom::ReadFailure::Unsupported);
    EXPECT_EQ(twelve.error().message(), "test.wav: unsupported encoding: 12-bit samples");
    EXPECT_EQ(decode(riffWave({fmtChunk(3, 16), data})).error().kind, quom::ReadFailure::Unsupported);
    const auto noData = decode(riffWave({fmtChunk(1, 16)}));
    EXPECT_EQ(noData.error().kind, quom::ReadFailure::Damaged);
    EXPECT_EQ(noData.error().detail, "damaged: it has no data chunk");
    EXPECT_EQ(decode(Bytes{'R', 'I', 'F', 'X'}).error().kind, quom::ReadFailure::WrongMagic);

    const auto missing = quom::readWave("/nonexistent/a.wav");
    EXPECT_EQ(missing.error().kind, quom::ReadFailure::Unreadable);
    EXPECT_EQ(missing.error().message(), "/nonexistent/a.wav: No such file or directory");
}

TEST(WaveReader, TellsTheRateTheFileDeclares)
{
    EXPECT_EQ(decode(riffWave({fmtChunk(1, 16, 1, 48000), dataChunk(pcm16({1}))}))->sampleRate, 48000u);
    EXPECT_EQ(decode(mono16({1}))->sampleRate, 44100u);
}

TEST(WaveReader, SkipsUnknownChunksIncludingTheirPadByte)
{
    const Chunk odd{"LIST", {'a', 'b', 'c'}, {}};
    const Chunk empty{"junk", {}, {}};
    EXPECT_EQ(decoded(riffWave({odd, fmtChunk(1, 16), empty, odd, dataChunk(pcm16({100, -100}))})),
        (std::vector<float>{100 / 32768.0f, -100 / 32768.0f}));

    // A longer fmt chunk (with extension bytes) is read the same way.
    Chunk longFmt = fmtChunk(1, 16);
    longFmt.body.insert(longFmt.body.end(), {0, 0, 7});
    EXPECT_EQ(decoded(riffWave({longFmt, dataChunk(pcm16({8}))})), (std::vector<float>{8 / 32768.0f}));
}

TEST(WaveReader, RootKeyComesFromTheSmplChunk)
{
    const auto with = decode(riffWave({fmtChunk(1, 16), dataChunk(pcm16({1})), smplChunk(69)}));
    ASSERT_TRUE(with);
    EXPECT_EQ(with->rootKey, 69);

    // Only the low byte of the unity note is kept.
    EXPECT_EQ(decode(riffWave({smplChunk(0x1FF), fmtChunk(1, 16), dataChunk(pcm16({1}))}))->rootKey, 0xFF);

    EXPECT_EQ(decode(mono16({1}))->rootKey, 60);

    // A smpl chunk too short to hold the note is ignored, not read past.
    const Chunk stub{"smpl", Bytes(12, 0), {}};
    EXPECT_EQ(decode(riffWave({fmtChunk(1, 16), stub, dataChunk(pcm16({1}))}))->rootKey, 60);
}

TEST(WaveReader, RefusesWhatItCannotPlay)
{
    const Chunk data = dataChunk(pcm16({1, 2, 3, 4}));
    const std::vector<Bytes> refused{
        riffWave({fmtChunk(1, 12), data}),
        riffWave({fmtChunk(1, 0), data}),
        riffWave({fmtChunk(3, 16), data}),
        riffWave({fmtChunk(0, 16), data}),
        riffWave({data}), // no fmt
        riffWave({fmtChunk(1, 16)}), // no data
        riffWave({Chunk{"fmt ", Bytes(14, 1), {}}, data}), // fmt too short for its fields
        Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '},
        Bytes{'R', 'I', 'F', 'X'},
        Bytes{},
    };
    for (std::size_t i = 0; i < refused.size(); ++i) {
        const auto r = decode(refused[i]);
        EXPECT_FALSE(r) << "case " << i;
        EXPECT_EQ(r.error().path, "test.wav") << "case " << i;
        EXPECT_FALSE(r.error().detail.empty()) << "case " << i;
    }
}

TEST(WaveReader, AFailedLoadKeepsThePreviousSample)
{
    TempDir dir;
    dir.write("good.wav", riffWave({fmtChunk(1, 16), dataChunk(pcm16({16384})), smplChunk(72)}));
    dir.write("twelve.wav", riffWave({fmtChunk(1, 12), dataChunk(pcm16({1, 2}))}));

    CInstrument inst;
    ASSERT_TRUE(inst.LoadWave(dir.file("good.wav")));
    EXPECT_EQ(inst.rootKey, 72);
    for (const auto& path : {dir.file("twelve.wav"), dir.file("missing.wav"), dir.path()}) {
        EXPECT_FALSE(inst.LoadWave(path)) << path;
        EXPECT_EQ(inst.data.values(), std::vector<float>{0.5f});
        EXPECT_EQ(inst.length(), 1u);
        EXPECT_EQ(inst.rootKey, 60);
    }
}

TEST(WaveReader, ADataChunkLongerThanTheFileLoadsTheWholeFramesPresent)
{
    // Three and a half mono frames present, a million claimed.
    Bytes half = pcm16({1000, 2000, 3000});
    half.push_back(0x7F);
    auto file = riffWave({fmtChunk(1, 16), dataChunk(half, 1000000)});
    file.pop_back(); // the pad byte the builder added after the odd body
    EXPECT_EQ(decoded(file), (std::vector<float>{1000 / 32768.0f, 2000 / 32768.0f, 3000 / 32768.0f}));

    // A stereo frame cut in its right channel is dropped.
    EXPECT_EQ(decoded(riffWave({fmtChunk(2, 16), dataChunk(pcm16({1, 2, 3}), 0xFFFFFFFF)})),
        std::vector<float>{1 / 32768.0f});
}

TEST(WaveReader, LyingSizesNeverReadOutsideTheFile)
{
    const auto good = riffWave({fmtChunk(1, 16), dataChunk(pcm16({5, 6, 7})), smplChunk(70)});

    // A RIFF size far beyond the file: the walk stops at the last whole chunk header.
    EXPECT_EQ(decoded(riffWave({fmtChunk(1, 16), dataChunk(pcm16({5, 6, 7}))}, 0xFFFFFFFF)).size(), 3u);

    // A RIFF size that ends before the data chunk hides it.
    EXPECT_FALSE(decode(riffWave({fmtChunk(1, 16), dataChunk(pcm16({5}))}, 4 + 24)));

    // A chunk claiming four gigabytes before the data makes the data unreachable.
    EXPECT_FALSE(
        decode(riffWave({fmtChunk(1, 16), Chunk{"LIST", {1, 2}, 0xFFFFFFFF}, dataChunk(pcm16({5}))})));

    // Every prefix of a good file is either refused or gives a prefix of its samples.
    const auto full = decoded(good);
    for (std::size_t n = 0; n < good.size(); ++n) {
        const Bytes prefix(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
        const auto r = decode(prefix);
        if (r) {
            ASSERT_LE(r->samples.size(), full.size());
            EXPECT_TRUE(std::equal(r->samples.begin(), r->samples.end(), full.begin())) << n;
        }
    }
}

TEST(WaveReader, OnlyARegularFileNoLargerThanAWaveCanBeIsRead)
{
    TempDir dir;
    const std::string fifo = dir.file("fifo.wav");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // A valid header on a sparse file one byte past what the 32-bit RIFF size can
    // count: only its size refuses it.
    const std::string huge = dir.file("huge.wav");
    dir.write("huge.wav", riffWave({fmtChunk(1, 16), dataChunk({}, 0xFFFFFFF0)}, 0xFFFFFFFF));
    ASSERT_EQ(::truncate(huge.c_str(), 8 + off_t{0xFFFFFFFF} + 1), 0);

    // A FIFO without a writer would block for ever, /dev/zero never ends.
    for (const std::string& path :
        std::vector<std::string>{"/dev/null", fifo, "/dev/zero", dir.path(), huge}) {
        const auto r = quom::readWave(path);
        ASSERT_FALSE(r) << path;
        EXPECT_EQ(r.error().kind, quom::ReadFailure::Unreadable) << path;
        EXPECT_EQ(r.error().path, path);
    }
}

} // namespace
