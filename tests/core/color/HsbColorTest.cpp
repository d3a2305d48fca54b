#include "core/color/HsbColor.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>

namespace quom {

void PrintTo(const Rgb& c, std::ostream* os)
{
    *os << "RGB(" << c.red << ", " << c.green << ", " << c.blue << ")";
}

void PrintTo(const Hsb& c, std::ostream* os)
{
    *os << "HSB(" << c.hue << ", " << c.saturation << ", " << c.brightness << ")";
}

namespace {

TEST(HsbColor, PrimariesAndSecondariesSitOnTheirHues)
{
    EXPECT_EQ(hsbFromRgb({255, 0, 0}), (Hsb{0, 255, 255}));
    EXPECT_EQ(hsbFromRgb({255, 255, 0}), (Hsb{60, 255, 255}));
    EXPECT_EQ(hsbFromRgb({0, 255, 0}), (Hsb{120, 255, 255}));
    EXPECT_EQ(hsbFromRgb({0, 255, 255}), (Hsb{180, 255, 255}));
    EXPECT_EQ(hsbFromRgb({0, 0, 255}), (Hsb{240, 255, 255}));
    EXPECT_EQ(hsbFromRgb({255, 0, 255}), (Hsb{300, 255, 255}));
    // Negative hues wrap round, and everything is truncated.
    EXPECT_EQ(hsbFromRgb({200, 0, 1}), (Hsb{359, 255, 200}));
    EXPECT_EQ(hsbFromRgb({200, 100, 50}), (Hsb{20, 191, 200}));

    EXPECT_EQ(rgbFromHsb({0, 255, 255}), (Rgb{255, 0, 0}));
    EXPECT_EQ(rgbFromHsb({60, 255, 255}), (Rgb{255, 255, 0}));
    EXPECT_EQ(rgbFromHsb({120, 255, 255}), (Rgb{0, 255, 0}));
    EXPECT_EQ(rgbFromHsb({180, 255, 255}), (Rgb{0, 255, 255}));
    EXPECT_EQ(rgbFromHsb({240, 255, 255}), (Rgb{0, 0, 255}));
    EXPECT_EQ(rgbFromHsb({300, 255, 255}), (Rgb{255, 0, 255}));
    EXPECT_EQ(rgbFromHsb({360, 255, 255}), (Rgb{255, 0, 0}));
}

TEST(HsbColor, BandEdgesPickTheRightFormula)
{
    EXPECT_EQ(rgbFromHsb({61, 255, 255}), (Rgb{250, 255, 0}));
    EXPECT_EQ(rgbFromHsb({119, 255, 255}), (Rgb{4, 255, 0}));
    EXPECT_EQ(rgbFromHsb({179, 255, 255}), (Rgb{0, 255, 250}));
    EXPECT_EQ(rgbFromHsb({239, 255, 255}), (Rgb{0, 4, 255}));
    EXPECT_EQ(rgbFromHsb({299, 255, 255}), (Rgb{250, 0, 255}));
    EXPECT_EQ(rgbFromHsb({301, 255, 255}), (Rgb{255, 0, 250}));
    // Half saturation lifts the lowest channel to half the brightness.
    EXPECT_EQ(rgbFromHsb({30, 128, 200}), (Rgb{200, 149, 99}));
}

TEST(HsbColor, GreysHaveNoHueAndStayGreyAtAnyBrightness)
{
    for (int v : {0, 1, 128, 255}) {
        EXPECT_EQ(hsbFromRgb({v, v, v}), (Hsb{0, 0, v}));
        EXPECT_EQ(rgbFromHsb({0, 0, v}), (Rgb{v, v, v}));
        EXPECT_EQ(rgbFromHsb({217, 0, v}), (Rgb{v, v, v}));
    }
}

TEST(HsbColor, RoundTripsStayWithinTruncationError)
{
    for (int r = 0; r < 256; r += 15) {
        for (int g = 0; g < 256; g += 15) {
            for (int b = 0; b < 256; b += 15) {
                const Rgb back = rgbFromHsb(hsbFromRgb({r, g, b}));
                EXPECT_LE(std::abs(back.red - r) + std::abs(back.green - g) + std::abs(back.blue - b), 6)
                    << r << ' ' << g << ' ' << b;
            }
        }
    }
}

} // namespace
} // namespace quom
