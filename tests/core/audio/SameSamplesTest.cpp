#include "support/SameSamples.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// The comparison the render tests rely on forgives NaN bits and nothing else.
TEST(SameSamples, OnlyNaNBitsMayDiffer)
{
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    const std::vector<float> rendered{0.5f, kNaN, -0.0f, kInf, 1e-40f};
    EXPECT_TRUE(sameSamples(rendered, rendered));
    EXPECT_TRUE(sameSamples(
        rendered, std::vector<float>{0.5f, std::bit_cast<float>(0xffc12345u), -0.0f, kInf, 1e-40f}));

    const std::vector<float> differing[]
        = {{0.5f, kNaN, 0.0f, kInf, 1e-40f}, {0.5f, 0.0f, -0.0f, kInf, 1e-40f},
            {0.5f, kNaN, -0.0f, -kInf, 1e-40f}, {std::nextafter(0.5f, 1.0f), kNaN, -0.0f, kInf, 1e-40f},
            {0.5f, kNaN, -0.0f, kInf, 2e-40f}, {0.5f, kNaN, -0.0f, kInf}};
    for (const auto& other : differing) {
        EXPECT_FALSE(sameSamples(rendered, other));
        EXPECT_FALSE(sameSamples(other, rendered));
    }
}

} // namespace
