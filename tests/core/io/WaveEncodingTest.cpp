#include "core/io/WaveWriter.h"
#include "support/SameSamples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <span>
#include <vector>

namespace {

using quom::encodeWave16;

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kTiniest = std::numeric_limits<float>::denorm_min();

struct Encoded {
    std::vector<std::uint8_t> pcm;
    std::vector<float> normalised;
};

// The conversion as first defined, one sample at a time: values that are not finite
// become 0, the others are divided by the loudest finite magnitude unless it is 0,
// then scaled by 32767 and truncated toward zero.
Encoded sampleBySample(std::vector<float> samples, std::uint16_t channels)
{
    samples.resize(samples.size() / channels * channels);
    float peak = 0.0f;
    for (const float v : samples)
        if (std::isfinite(v))
            peak = std::max(peak, std::abs(v));
    std::vector<std::uint8_t> pcm;
    for (float& v : samples) {
        if (!std::isfinite(v))
            v = 0.0f;
        else if (peak != 0.0f)
            v /= peak;
        const auto word = static_cast<std::uint16_t>(static_cast<std::int16_t>(v * 32767.0f));
        pcm.push_back(static_cast<std::uint8_t>(word & 0xFF));
        pcm.push_back(static_cast<std::uint8_t>(word >> 8));
    }
    return {pcm, samples};
}

void expectSameEncoding(const std::vector<float>& samples, std::uint16_t channels)
{
    const Encoded expected = sampleBySample(samples, channels);
    std::vector<float> normalised = samples;
    const auto file = encodeWave16(normalised, channels);
    ASSERT_EQ(file.size(), 44 + expected.pcm.size());
    EXPECT_TRUE(std::equal(expected.pcm.begin(), expected.pcm.end(), file.begin() + 44));
    // The trailing partial frame is neither written nor normalised.
    EXPECT_TRUE(sameSamples(
        std::span<const float>(normalised).first(expected.normalised.size()), expected.normalised));
}

TEST(WaveEncoding, GivesTheBytesOfTheSampleBySampleDefinition)
{
    const float half = 0.5f / 32767.0f;
    // Full scale, signed zeros, halfway values that truncate rather than round, and
    // values that are not finite, at peaks of 1, above 1 and far below.
    const std::vector<float> atOne{1.0f, -1.0f, 0.0f, -0.0f, kNaN, kInf, -kInf, half, -half, 3 * half,
        -3 * half, std::nextafter(1.0f, 0.0f), kTiniest, -kTiniest, 1e-30f, 0.25f, -0.75f};
    expectSameEncoding(atOne, 1);
    expectSameEncoding(atOne, 2); // the last, partial frame dropped
    expectSameEncoding({3.0f, -3.0f, 1.5f, -1.0f, 2.9999f, 1.0f / 3.0f, kNaN, -kInf, 0.1f}, 1);
    expectSameEncoding({-kTiniest, 3 * kTiniest, kTiniest, 0.0f, 1e-40f, -2e-45f}, 2);
    expectSameEncoding({0.0f, -0.0f, kNaN, kInf, -kInf, 0.0f}, 2);

    std::mt19937 gen(5);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    std::uniform_int_distribution<int> exponent(-40, 4);
    std::vector<float> random(44101);
    for (auto& v : random)
        v = std::ldexp(value(gen), exponent(gen));
    expectSameEncoding(random, 2);
}

} // namespace
