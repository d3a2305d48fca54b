#include "platform/pictures/Dib.h"
#include "support/QtPrinters.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using quom::CDIB;

std::uint32_t u32At(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

TEST(CDIB, RowsArePaddedToWholeWordsAndStoredBottomUp)
{
    CDIB dib;
    ASSERT_TRUE(dib.create(20, 5, 8));
    EXPECT_EQ(dib.stride(), 20);
    EXPECT_EQ(dib.paletteSize(), 256);
    ASSERT_TRUE(dib.create(21, 5, 8));
    EXPECT_EQ(dib.stride(), 24);
    ASSERT_TRUE(dib.create(3, 2, 24));
    EXPECT_EQ(dib.stride(), 12);
    EXPECT_EQ(dib.paletteSize(), 0);
    ASSERT_TRUE(dib.create(33, 2, 1));
    EXPECT_EQ(dib.stride(), 8);
    EXPECT_EQ(dib.paletteSize(), 2);
    ASSERT_TRUE(dib.create(5, 3, 4));
    EXPECT_EQ(dib.stride(), 4);
    EXPECT_EQ(dib.paletteSize(), 16);

    // Header, then 16 table entries, then the rows, the top one stored last.
    EXPECT_EQ(u32At(dib.header()), 40u);
    EXPECT_EQ(u32At(dib.header() + 4), 5u);
    EXPECT_EQ(u32At(dib.header() + 8), 3u);
    EXPECT_EQ(dib.header()[12] | (dib.header()[13] << 8), 1);
    EXPECT_EQ(dib.header()[14] | (dib.header()[15] << 8), 4);
    EXPECT_TRUE(std::all_of(dib.header() + 16, dib.header() + 40, [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(dib.colorTable(), dib.header() + 40);
    EXPECT_EQ(dib.bits(), dib.colorTable() + 64);
    EXPECT_EQ(dib.row(2), dib.bits());
    EXPECT_EQ(dib.row(0), dib.bits() + 2 * 4);
}

TEST(CDIB, RefusesImpossibleBitmapsAndStaysEmpty)
{
    CDIB dib;
    ASSERT_TRUE(dib.create(4, 4, 8));
    EXPECT_FALSE(dib.create(0, 4, 8));
    EXPECT_TRUE(dib.isEmpty());
    EXPECT_FALSE(dib.create(4, -1, 8));
    EXPECT_FALSE(dib.create(4, 4, 7));
    EXPECT_FALSE(dib.create(1 << 30, 1 << 30, 32));
    EXPECT_TRUE(dib.isEmpty());
}

TEST(CDIB, PaletteRowsDrawAsAVerticalRampFromTheTop)
{
    CDIB dib;
    ASSERT_TRUE(dib.create(20, 100, 8));
    std::vector<std::uint8_t> triplets(3 * 256, 0);
    for (int y = 0; y < 100; ++y) {
        std::fill_n(dib.row(y), 20, static_cast<std::uint8_t>(y));
        triplets[3 * y + 0] = static_cast<std::uint8_t>(2 * y);
        triplets[3 * y + 1] = static_cast<std::uint8_t>(255 - y);
        triplets[3 * y + 2] = static_cast<std::uint8_t>(y + 7);
    }
    dib.setPalette(triplets);
    // Stored blue, green, red, 0.
    EXPECT_EQ(dib.colorTable()[4 * 3 + 0], 10);
    EXPECT_EQ(dib.colorTable()[4 * 3 + 2], 6);

    QImage target(30, 120, QImage::Format_RGB32);
    target.fill(Qt::black);
    {
        QPainter p(&target);
        dib.draw(p, 5, 10, 20, 100, 0, 0);
    }
    for (int y : {0, 1, 50, 99}) {
        EXPECT_EQ(target.pixelColor(5, 10 + y), QColor(2 * y, 255 - y, y + 7)) << y;
        EXPECT_EQ(target.pixelColor(24, 10 + y), QColor(2 * y, 255 - y, y + 7)) << y;
    }
    EXPECT_EQ(target.pixelColor(4, 10), QColor(Qt::black));
    EXPECT_EQ(target.pixelColor(5, 9), QColor(Qt::black));
    EXPECT_EQ(target.pixelColor(5, 110), QColor(Qt::black));

    // A part of the image, counted from its top-left corner.
    target.fill(Qt::black);
    {
        QPainter p(&target);
        dib.draw(p, 0, 0, 4, 10, 3, 30);
    }
    EXPECT_EQ(target.pixelColor(0, 0), QColor(60, 225, 37));
    EXPECT_EQ(target.pixelColor(3, 9), QColor(78, 216, 46));
    EXPECT_EQ(target.pixelColor(4, 0), QColor(Qt::black));
    EXPECT_EQ(target.pixelColor(0, 10), QColor(Qt::black));
}

TEST(CDIB, DirectColorDepthsReadBlueGreenRed)
{
    CDIB dib;
    ASSERT_TRUE(dib.create(2, 1, 24));
    const std::uint8_t pixels[] = {1, 2, 3, 30, 20, 10};
    std::copy(std::begin(pixels), std::end(pixels), dib.row(0));
    const QImage image = dib.toImage();
    EXPECT_EQ(image.pixelColor(0, 0), QColor(3, 2, 1));
    EXPECT_EQ(image.pixelColor(1, 0), QColor(10, 20, 30));

    ASSERT_TRUE(dib.create(9, 1, 1));
    const std::uint8_t twoColors[] = {0, 0, 255, 255, 255, 0};
    dib.setPalette(twoColors);
    dib.row(0)[0] = 0x80;
    dib.row(0)[1] = 0x80;
    const QImage mono = dib.toImage();
    EXPECT_EQ(mono.pixelColor(0, 0), QColor(255, 255, 0));
    EXPECT_EQ(mono.pixelColor(1, 0), QColor(0, 0, 255));
    EXPECT_EQ(mono.pixelColor(8, 0), QColor(255, 255, 0));
}

} // namespace
