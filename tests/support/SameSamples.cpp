#include "support/SameSamples.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string describe(float v)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.9g (0x%08x)", static_cast<double>(v),
        static_cast<unsigned>(std::bit_cast<std::uint32_t>(v)));
    return text;
}

bool sameSample(float a, float b) noexcept
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

} // namespace

testing::AssertionResult sameSamples(std::span<const float> actual, std::span<const float> expected)
{
    if (actual.size() != expected.size())
        return testing::AssertionFailure() << actual.size() << " values against " << expected.size();
    // Most buffers match bit for bit; a Debug build compares them in a moment so.
    if (actual.empty() || std::memcmp(actual.data(), expected.data(), actual.size_bytes()) == 0)
        return testing::AssertionSuccess();
    std::size_t first = actual.size();
    std::size_t differing = 0;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        if (!sameSample(actual[i], expected[i])) {
            first = std::min(first, i);
            ++differing;
        }
    }
    if (differing == 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
        << differing << " of " << actual.size() << " values differ, the first at " << first << ": "
        << describe(actual[first]) << " against " << describe(expected[first]);
}
