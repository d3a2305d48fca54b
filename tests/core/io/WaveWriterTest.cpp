#include "core/io/WaveWriter.h"
#include "core/io/WaveReader.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"
#include "support/WaveBytes.h"

#include <gtest/gtest.h>

#include <bit>
#include <limits>

namespace {

using namespace wavebytes;
using quom::encodeWave16;
using quom::WriteWave16;

std::vector<std::int16_t> samplesOf(const Bytes& file)
{
    std::vector<std::int16_t> out;
    for (std::size_t i = 44; i + 1 < file.size(); i += 2)
        out.push_back(static_cast<std::int16_t>(file[i] | (file[i + 1] << 8)));
    return out;
}

TEST(WaveWriter, OneStereoFrameMakesTheSmallestFile)
{
    std::vector<float> frame{0.5f, -0.25f};
    TempDir dir;
    ASSERT_TRUE(WriteWave16(dir.file("one.wav"), frame, 2));

    Bytes expected{'R', 'I', 'F', 'F'};
    put32(expected, 40);
    for (char c : std::string("WAVEfmt "))
        expected.push_back(static_cast<std::uint8_t>(c));
    put32(expected, 16);
    put16(expected, 1);
    put16(expected, 2);
    put32(expected, 44100);
    put32(expected, 176400);
    put16(expected, 4);
    put16(expected, 16);
    for (char c : std::string("data"))
        expected.push_back(static_cast<std::uint8_t>(c));
    put32(expected, 4);
    put16(expected, 32767);
    put16(expected, static_cast<std::uint16_t>(-16383));
    EXPECT_EQ(dir.read("one.wav"), expected);
}

TEST(WaveWriter, NormalisesToFullScaleTruncatingTowardZero)
{
    std::vector<float> samples{0.25f, -0.25f, 0.1f, -0.1f, 0.0f};
    const auto file = encodeWave16(samples, 1);
    // 0.1 / 0.25 = 0.4 of 32767 is 13106.8.
    EXPECT_EQ(samplesOf(file), (std::vector<std::int16_t>{32767, -32767, 13106, -13106, 0}));
    EXPECT_EQ(samples[0], 1.0f) << "the buffer is normalised in place";
    EXPECT_EQ(samples[2], 0.4f);

    std::vector<float> silence(6, 0.0f);
    EXPECT_EQ(samplesOf(encodeWave16(silence, 2)), std::vector<std::int16_t>(6, 0));

    // Loud buffers come down to full scale as well.
    std::vector<float> loud{4.0f, -2.0f};
    EXPECT_EQ(samplesOf(encodeWave16(loud, 1)), (std::vector<std::int16_t>{32767, -16383}));
}

TEST(WaveWriter, NonFiniteValuesAreWrittenAsSilence)
{
    // Of either sign and any payload, and without a say in the peak.
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    std::vector<float> samples{kNaN, 0.5f, kInf, -0.5f, -kNaN, std::bit_cast<float>(0x7fa00001u), -kInf,
        std::bit_cast<float>(0xffc12345u)};
    EXPECT_EQ(
        samplesOf(encodeWave16(samples, 1)), (std::vector<std::int16_t>{0, 32767, 0, -32767, 0, 0, 0, 0}));
}

TEST(WaveWriter, ReadsBackAsItsOwnSamples)
{
    std::vector<float> stereo;
    for (int i = 0; i < 300; ++i) {
        stereo.push_back(static_cast<float>(i % 17) / 16.0f - 0.5f);
        stereo.push_back(0.0f);
    }
    stereo.push_back(0.7f); // a trailing half frame is dropped
    const auto file = encodeWave16(stereo, 2);
    ASSERT_EQ(file.size(), 44u + 300 * 4);
    const auto read = quom::decodeWave(file, "x.wav");
    ASSERT_TRUE(read);
    ASSERT_EQ(read->samples.size(), 300u);
    for (int i = 0; i < 300; ++i)
        EXPECT_EQ(read->samples[i], static_cast<std::int16_t>(stereo[2 * i] * 32767.0f) / 32768.0f);
}

TEST(WaveWriter, AFailedWriteKeepsThePreviousFile)
{
    TempDir dir;
    dir.write("take.wav", std::string("old take"));
    std::vector<float> samples(1000, 0.5f);
    {
        FileSizeLimit limit(500);
        const auto result = WriteWave16(dir.file("take.wav"), samples, 1);
        EXPECT_FALSE(result);
        EXPECT_NE(result.error.find("take.wav"), std::string::npos);
    }
    const auto kept = dir.read("take.wav");
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "old take");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"take.wav"});

    EXPECT_FALSE(WriteWave16(dir.file("none.wav"), samples, 0));
    EXPECT_FALSE(dir.exists("none.wav"));
}

} // namespace
