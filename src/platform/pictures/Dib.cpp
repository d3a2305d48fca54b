#include "platform/pictures/Dib.h"

#include <QPainter>

#include <algorithm>
#include <limits>
#include <new>

namespace quom {
namespace {

int paletteEntriesFor(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

void putU32(std::uint8_t* at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void putU16(std::uint8_t* at, std::uint16_t v)
{
    at[0] = static_cast<std::uint8_t>(v);
    at[1] = static_cast<std::uint8_t>(v >> 8);
}

} // namespace

void CDIB::clear()
{
    block_.reset();
    header_ = colors_ = bits_ = nullptr;
    rows_.clear();
    width_ = height_ = bitsPerPixel_ = stride_ = paletteSize_ = 0;
}

bool CDIB::create(int width, int height, int bitsPerPixel)
{
    clear();
    const bool knownDepth = bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 16
        || bitsPerPixel == 24 || bitsPerPixel == 32;
    if (!knownDepth || width <= 0 || height <= 0)
        return false;

    const std::int64_t stride = (static_cast<std::int64_t>(width) * bitsPerPixel + 31) / 32 * 4;
    const int entries = paletteEntriesFor(bitsPerPixel);
    const std::int64_t imageBytes = stride * height;
    const std::int64_t total = static_cast<std::int64_t>(kHeaderSize) + 4 * entries + imageBytes;
    // The header's image size is a 32-bit field; keep the whole block addressable by int.
    if (total > std::numeric_limits<std::int32_t>::max())
        return false;
    try {
        block_ = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(total));
        rows_.resize(static_cast<std::size_t>(height));
    } catch (const std::bad_alloc&) {
        clear();
        return false;
    }

    width_ = width;
    height_ = height;
    bitsPerPixel_ = bitsPerPixel;
    stride_ = static_cast<int>(stride);
    paletteSize_ = entries;
    header_ = block_.get();
    colors_ = header_ + kHeaderSize;
    bits_ = colors_ + 4 * entries;

    std::fill(header_, bits_, std::uint8_t{0});
    putU32(header_ + 0, kHeaderSize);
    putU32(header_ + 4, static_cast<std::uint32_t>(width));
    putU32(header_ + 8, static_cast<std::uint32_t>(height));
    putU16(header_ + 12, 1);
    putU16(header_ + 14, static_cast<std::uint16_t>(bitsPerPixel));

    for (int y = 0; y < height; ++y)
        rows_[static_cast<std::size_t>(y)] = bits_ + static_cast<std::ptrdiff_t>(height - 1 - y) * stride_;
    return true;
}

void CDIB::setPalette(std::span<const std::uint8_t> rgbTriplets)
{
    for (int i = 0; i < paletteSize_ && 3 * i + 2 < static_cast<int>(rgbTriplets.size()); ++i) {
        colors_[4 * i + 0] = rgbTriplets[3 * i + 2];
        colors_[4 * i + 1] = rgbTriplets[3 * i + 1];
        colors_[4 * i + 2] = rgbTriplets[3 * i + 0];
        colors_[4 * i + 3] = 0;
    }
}

QRgb CDIB::paletteColor(int index) const
{
    const std::uint8_t* e = colors_ + 4 * index;
    return qRgb(e[2], e[1], e[0]);
}

QRgb CDIB::pixel(int x, int y) const
{
    const std::uint8_t* r = row(y);
    switch (bitsPerPixel_) {
    case 1:
        return paletteColor((r[x / 8] >> (7 - x % 8)) & 1);
    case 4:
        return paletteColor((r[x / 2] >> (x % 2 ? 0 : 4)) & 0xF);
    case 8:
        return paletteColor(r[x]);
    case 16: {
        // Five bits each of red, green and blue, blue lowest.
        const int v = r[2 * x] | (r[2 * x + 1] << 8);
        auto expand = [](int five) { return (five << 3) | (five >> 2); };
        return qRgb(expand((v >> 10) & 31), expand((v >> 5) & 31), expand(v & 31));
    }
    case 24:
        return qRgb(r[3 * x + 2], r[3 * x + 1], r[3 * x]);
    default:
        return qRgb(r[4 * x + 2], r[4 * x + 1], r[4 * x]);
    }
}

QImage CDIB::toImage() const
{
    if (isEmpty())
        return {};
    QImage image(width_, height_, QImage::Format_RGB32);
    for (int y = 0; y < height_; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width_; ++x)
            line[x] = pixel(x, y);
    }
    return image;
}

void CDIB::draw(QPainter& painter, int x, int y, int width, int height, int sourceX, int sourceY) const
{
    if (isEmpty())
        return;
    const QRect source = QRect(sourceX, sourceY, width, height) & QRect(0, 0, width_, height_);
    if (source.isEmpty())
        return;
    painter.drawImage(QPoint(x + source.x() - sourceX, y + source.y() - sourceY), toImage(), source);
}

} // namespace quom
