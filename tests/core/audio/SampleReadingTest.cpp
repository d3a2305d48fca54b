#include "core/audio/SampleReading.h"
#include "support/Instruments.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using quom::AdvancePosition;
using quom::CInstrument;
using quom::SampleAt;

constexpr std::uint8_t kTruncate = 0;
constexpr std::uint8_t kLinear = 1;
constexpr std::uint8_t kQuadratic = 2;

TEST(SampleReading, TruncateAndLinearBetweenSamples)
{
    const auto inst = instrumentOf({0.0f, 0.1f, 0.2f, 0.6f, 0.8f});
    EXPECT_EQ(SampleAt(inst, 2.9f, kTruncate), 0.2f);
    EXPECT_FLOAT_EQ(SampleAt(inst, 2.9f, kLinear), 0.2f + 0.9f * (0.6f - 0.2f));
}

TEST(SampleReading, LinearAtTheLastFrameHoldsIt)
{
    const auto inst = instrumentOf({0.5f, -0.25f, 0.75f});
    EXPECT_EQ(SampleAt(inst, 2.0f, kLinear), 0.75f);
    EXPECT_EQ(SampleAt(inst, 2.7f, kLinear), 0.75f);
}

TEST(SampleReading, PastTheEndIsSilentInEveryMode)
{
    const auto inst = instrumentOf({1.0f, 1.0f});
    for (std::uint8_t mode : {kTruncate, kLinear, kQuadratic}) {
        EXPECT_EQ(SampleAt(inst, 2.0f, mode), 0.0f);
        EXPECT_EQ(SampleAt(inst, 40.5f, mode), 0.0f);
    }
}

TEST(SampleReading, QuadraticTakesItsLeftNeighbourFromTheEndAtTheStart)
{
    std::vector<float> ramp;
    for (int i = 0; i < 8; ++i)
        ramp.push_back(static_cast<float>(i));
    const auto inst = instrumentOf(ramp);
    EXPECT_EQ(SampleAt(inst, 0.0f, kQuadratic), 0.0f);
    EXPECT_NE(SampleAt(inst, 0.5f, kQuadratic), 0.5f);
    // Inside the ramp the cubic through four points of a line is the line.
    EXPECT_FLOAT_EQ(SampleAt(inst, 3.25f, kQuadratic), 3.25f);
}

TEST(SampleReading, QuadraticReproducesACubic)
{
    // t^3 at -1, 0, 1, 2.
    const auto inst = instrumentOf({-1.0f, 0.0f, 1.0f, 8.0f});
    EXPECT_FLOAT_EQ(SampleAt(inst, 1.5f, kQuadratic), 0.125f);
}

TEST(SampleReading, LoopingPositionWrapsWithoutReadingOutside)
{
    const auto inst = instrumentOf(std::vector<float>(100, 0.5f), true);
    float p = 0.0f;
    for (int i = 0; i < 66; ++i)
        p = AdvancePosition(inst, p, 1.5f);
    EXPECT_EQ(p, 99.0f);
    p = AdvancePosition(inst, p, 1.5f);
    EXPECT_EQ(p, 0.5f);
}

TEST(SampleReading, NonLoopingPositionKeepsGrowing)
{
    const auto inst = instrumentOf({0.1f, 0.2f});
    EXPECT_EQ(AdvancePosition(inst, 1.5f, 1.5f), 3.0f);
}

TEST(SampleReading, EmptySlotIsSilentAndNeverWraps)
{
    const auto inst = instrumentOf({}, true);
    EXPECT_EQ(AdvancePosition(inst, 0.0f, 1.25f), 1.25f);
    for (std::uint8_t mode : {kTruncate, kLinear, kQuadratic})
        EXPECT_EQ(SampleAt(inst, 0.0f, mode), 0.0f);
}

TEST(SampleReading, UnknownModeIsSilent)
{
    const auto inst = instrumentOf({0.7f, 0.7f, 0.7f});
    EXPECT_EQ(SampleAt(inst, 1.0f, 3), 0.0f);
    EXPECT_EQ(SampleAt(inst, 1.0f, 255), 0.0f);
}

} // namespace
