#include "core/io/Pcm16.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace {

using quom::finiteOrSilence;
using quom::toPcm16;

constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(Pcm16, RecordingConversionClipsAndKeepsSilenceAtZero)
{
    EXPECT_EQ(toPcm16(0.0f), 0);
    EXPECT_EQ(toPcm16(-0.0f), 0);
    EXPECT_EQ(toPcm16(1e-7f), 0);
    EXPECT_EQ(toPcm16(1.0f), 32767);
    EXPECT_EQ(toPcm16(-1.0f), -32767);
    EXPECT_EQ(toPcm16(3.5f), 32767);
    EXPECT_EQ(toPcm16(-1e9f), -32767);
    EXPECT_EQ(toPcm16(0.5f), 16384);
    EXPECT_EQ(toPcm16(-0.5f), -16384);
    EXPECT_EQ(toPcm16(std::nanf("")), 0);
}

// Whatever sign and payload a NaN has, and infinities too: silence, never full scale.
TEST(Pcm16, ValuesThatAreNotFiniteAreSilence)
{
    for (const float v : {std::numeric_limits<float>::quiet_NaN(), -std::numeric_limits<float>::quiet_NaN(),
             std::bit_cast<float>(0x7fc12345u), std::bit_cast<float>(0xffe54321u),
             std::bit_cast<float>(0x7f800001u), std::bit_cast<float>(0xffbfffffu), kInf, -kInf}) {
        EXPECT_EQ(std::bit_cast<std::uint32_t>(finiteOrSilence(v)), 0u) << std::bit_cast<std::uint32_t>(v);
        EXPECT_EQ(toPcm16(v), 0) << std::bit_cast<std::uint32_t>(v);
    }
    for (const float v : {-0.0f, std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::max(),
             std::numeric_limits<float>::lowest(), -0.25f})
        EXPECT_EQ(std::bit_cast<std::uint32_t>(finiteOrSilence(v)), std::bit_cast<std::uint32_t>(v));
}

} // namespace
