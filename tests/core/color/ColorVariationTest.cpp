#include "core/color/ColorVariation.h"

#include "core/random/Random.h"

#include <gtest/gtest.h>

namespace {

TEST(ColorVariation, MovesEachChannelByOneDrawInRedGreenBlueOrder)
{
    // Seed 1 draws 41, 18467, 6334; at 50 % (amount 127.5) red drops below 0,
    // green moves by +16.2 and blue by -78.2.
    quom::seedRandom(1);
    EXPECT_EQ(quom::varyColour(quom::makeCell(100, 100, 100), quom::variationAmount(50)),
        quom::makeCell(0, 116, 21));
}

TEST(ColorVariation, NoVariationReturnsTheColorAndDrawsNothing)
{
    quom::seedRandom(1);
    EXPECT_EQ(quom::varyColour(0x123456, quom::variationAmount(0)), 0x123456u);
    EXPECT_EQ(quom::nextRandom(), 41);
}

TEST(ColorVariation, LerpTruncatesEachChannelWithOnePosition)
{
    const quom::Cell a = quom::makeCell(200, 0, 10);
    const quom::Cell b = quom::makeCell(0, 255, 11);
    EXPECT_EQ(quom::lerpColor(a, b, 0.0f), a);
    EXPECT_EQ(quom::lerpColor(a, b, 1.0f), b);
    EXPECT_EQ(quom::lerpColor(a, b, 0.5f), quom::makeCell(100, 127, 10));
}

} // namespace
