#include "core/files/ImageImport.h"
#include "platform/pictures/Picture.h"
#include "support/QtPrinters.h"
#include "support/TempDir.h"
#include "support/TestGrids.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

namespace {

using quom::Cell;
using quom::makeCell;

// A colour that differs for every pixel of a 64 x 64 image.
QColor uniqueColor(int x, int y)
{
    return QColor(x * 4 + 1, y * 4 + 2, (x * 7 + y * 3) % 256);
}

std::optional<quom::Grid> importFile(const std::string& path)
{
    quom::CPicture picture;
    if (!picture.load(QString::fromStdString(path)))
        return std::nullopt;
    return quom::importPicture(picture);
}

TEST(ImageImport, A64By64BitmapIsCopiedPixelForPixel)
{
    QImage image(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            image.setPixelColor(x, y, uniqueColor(x, y));
    TempDir dir;
    ASSERT_TRUE(image.save(QString::fromStdString(dir.file("picture.bmp")), "BMP"));

    const auto cells = importFile(dir.file("picture.bmp"));
    ASSERT_TRUE(cells);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const QColor c = uniqueColor(x, y);
            ASSERT_EQ(cellAt(*cells, x, y), makeCell(c.red(), c.green(), c.blue())) << x << ',' << y;
        }
    }
}

TEST(ImageImport, AWideImageIsSqueezedWholeNotCropped)
{
    // Red, then blue, and a last green stripe of exactly one cell's width.
    QImage image(640, 64, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 0));
    {
        QPainter p(&image);
        p.fillRect(320, 0, 320, 64, QColor(0, 0, 255));
        p.fillRect(630, 0, 10, 64, QColor(0, 255, 0));
    }
    TempDir dir;
    ASSERT_TRUE(image.save(QString::fromStdString(dir.file("wide.png")), "PNG"));

    const auto cells = importFile(dir.file("wide.png"));
    ASSERT_TRUE(cells);
    for (int y : {0, 63}) {
        EXPECT_EQ(cellAt(*cells, 0, y), makeCell(255, 0, 0));
        EXPECT_EQ(cellAt(*cells, 31, y), makeCell(255, 0, 0));
        EXPECT_EQ(cellAt(*cells, 32, y), makeCell(0, 0, 255));
        EXPECT_EQ(cellAt(*cells, 62, y), makeCell(0, 0, 255));
        EXPECT_EQ(cellAt(*cells, 63, y), makeCell(0, 255, 0));
    }
}

TEST(ImageImport, AnAllBlackImageEmptiesThePattern)
{
    QImage image(200, 150, QImage::Format_RGB32);
    image.fill(Qt::black);
    TempDir dir;
    ASSERT_TRUE(image.save(QString::fromStdString(dir.file("black.jpg")), "JPEG"));

    const auto cells = importFile(dir.file("black.jpg"));
    ASSERT_TRUE(cells);
    for (Cell c : *cells)
        ASSERT_EQ(c, 0u);
}

TEST(Picture, TransparencyCountsAsBlackAndUnreadableFilesLoadNothing)
{
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(QColor(255, 255, 255, 0));
    image.setPixelColor(5, 6, QColor(10, 20, 30));
    TempDir dir;
    ASSERT_TRUE(image.save(QString::fromStdString(dir.file("alpha.png")), "PNG"));
    const auto cells = importFile(dir.file("alpha.png"));
    ASSERT_TRUE(cells);
    EXPECT_EQ(cellAt(*cells, 5, 6), makeCell(10, 20, 30));
    EXPECT_EQ(cellAt(*cells, 6, 6), 0u);

    dir.write("notes.jpg", std::string("not a picture"));
    quom::CPicture picture;
    ASSERT_TRUE(picture.load(QString::fromStdString(dir.file("alpha.png"))));
    EXPECT_EQ(picture.pixelSize(), QSize(64, 64));
    EXPECT_FALSE(picture.load(QString::fromStdString(dir.file("notes.jpg"))));
    EXPECT_EQ(picture.pixelSize(), QSize(0, 0));
    EXPECT_FALSE(quom::importPicture(picture));
    EXPECT_FALSE(picture.load(QString::fromStdString(dir.file("missing.bmp"))));
}

TEST(Picture, RendersStretchedOrAtItsOwnSize)
{
    QImage source(2, 2, QImage::Format_RGB32);
    source.fill(QColor(0, 200, 0));
    source.setPixelColor(1, 1, QColor(200, 0, 0));
    TempDir dir;
    ASSERT_TRUE(source.save(QString::fromStdString(dir.file("tiny.bmp")), "BMP"));
    quom::CPicture picture;
    ASSERT_TRUE(picture.load(QString::fromStdString(dir.file("tiny.bmp"))));

    QImage target(10, 10, QImage::Format_RGB32);
    target.fill(Qt::black);
    {
        QPainter p(&target);
        picture.render(p, QRect());
    }
    EXPECT_EQ(target.pixelColor(1, 1), QColor(200, 0, 0));
    EXPECT_EQ(target.pixelColor(2, 2), QColor(Qt::black));

    {
        QPainter p(&target);
        picture.render(p, QRect(0, 0, 10, 10));
    }
    EXPECT_EQ(target.pixelColor(2, 2), QColor(0, 200, 0));
    EXPECT_EQ(target.pixelColor(8, 8), QColor(200, 0, 0));
}

TEST(ImageImport, ATallImageAveragesAsItsPixelsHeldTogetherDo)
{
    // Taller than one converted strip (87,381 rows at this width), its edge inside a cell,
    // in formats that convert differently; no taller, so the sanitizer builds stay quick.
    std::uint32_t state = 99;
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32}) {
        QImage image(3, 100'000, format);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                state = state * 1664525u + 1013904223u;
                line[x] = state;
            }
        }
        const QImage whole = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const auto* first = reinterpret_cast<const std::uint32_t*>(whole.constBits());
        const auto expected = quom::importImage(
            whole.width(), whole.height(), std::span(first, std::size_t(whole.width()) * whole.height()));

        const auto cells = quom::importQImage(image);
        ASSERT_TRUE(cells);
        EXPECT_EQ(*cells, *expected) << format;
    }
}

TEST(Picture, APictureLongerThan65536OnASideIsRefused)
{
    // A few hundred bytes of PNG can hold a picture of a million rows.
    TempDir dir;
    for (const QSize size : {QSize(1, 65'536), QSize(1, 65'537), QSize(65'537, 1)}) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(200, 100, 0));
        const QString path = QString::fromStdString(dir.file("long.png"));
        ASSERT_TRUE(image.save(path, "PNG"));
        quom::CPicture picture;
        EXPECT_EQ(picture.load(path), size.height() == 65'536) << size.width() << " x " << size.height();
    }
}

} // namespace
