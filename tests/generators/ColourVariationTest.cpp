#include "generators/ColourVariation.h"

#include "generators/Random.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(ColourVariation, MovesEachChannelByOneDrawInRedGreenBlueOrder)
{
    // Seed 1 draws 41, 18467, 6334; at 50 % (amount 127.5) red drops below 0,
    // green moves by +16.2 and blue by -78.2.
    quom::srand(1);
    EXPECT_EQ(quom::varyColour(quom::makeCell(100, 100, 100), quom::variationAmount(50)),
        quom::makeCell(0, 116, 21));
}

TEST(ColourVariation, NoVariationReturnsTheColourAndDrawsNothing)
{
    quom::srand(1);
    EXPECT_EQ(quom::varyColour(0x123456, quom::variationAmount(0)), 0x123456u);
    EXPECT_EQ(quom::rand(), 41);
}

TEST(ColourVariation, FullVariationReachesBothEndsOfEveryChannel)
{
    quom::srand(3);
    int lowest[3] = {255, 255, 255};
    int highest[3] = {0, 0, 0};
    for (int i = 0; i < 3000; ++i) {
        const quom::Cell c = quom::varyColour(quom::makeCell(255, 0, 0), quom::variationAmount(100));
        const int channels[3] = {quom::redOf(c), quom::greenOf(c), quom::blueOf(c)};
        for (int k = 0; k < 3; ++k) {
            lowest[k] = std::min(lowest[k], channels[k]);
            highest[k] = std::max(highest[k], channels[k]);
        }
    }
    EXPECT_LT(lowest[0], 10);
    EXPECT_EQ(highest[0], 255);
    EXPECT_EQ(lowest[1], 0);
    EXPECT_GT(highest[1], 245);
    EXPECT_GT(highest[2], 245);
}

TEST(ColourVariation, LerpTruncatesEachChannelWithOnePosition)
{
    const quom::Cell a = quom::makeCell(200, 0, 10);
    const quom::Cell b = quom::makeCell(0, 255, 11);
    EXPECT_EQ(quom::lerpColour(a, b, 0.0f), a);
    EXPECT_EQ(quom::lerpColour(a, b, 1.0f), b);
    EXPECT_EQ(quom::lerpColour(a, b, 0.5f), quom::makeCell(100, 127, 10));
}

} // namespace
