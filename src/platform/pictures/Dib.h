#pragma once

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class QPainter;

namespace quom {

// A device-independent bitmap in one memory block: the 40-byte information header, the
// colour table (2, 16 or 256 entries of blue, green, red, 0 at 1, 4 and 8 bits per pixel,
// none otherwise), then the pixel rows stored bottom-up, each padded to a multiple of 4
// bytes. row(0) is the top row of the image, the last one stored.
class CDIB {
public:
    static constexpr std::size_t kHeaderSize = 40;

    CDIB() = default;
    virtual ~CDIB() = default;
    CDIB(const CDIB&) = delete;
    CDIB& operator=(const CDIB&) = delete;

    // Discards the previous contents. Bits per pixel: 1, 4, 8, 16, 24 or 32. False (and
    // an empty bitmap) for any other depth, a size that is not positive, or no memory.
    // The pixel bits are not cleared.
    bool create(int width, int height, int bitsPerPixel);

    std::uint8_t* row(int y) { return rows_[static_cast<std::size_t>(y)]; }
    const std::uint8_t* row(int y) const { return rows_[static_cast<std::size_t>(y)]; }

    // One red, green, blue triplet per colour-table entry, in order.
    void setPalette(std::span<const std::uint8_t> rgbTriplets);

    // Copies the width x height rectangle whose top-left corner is (sourceX, sourceY),
    // counted from the top-left of the image, to (x, y) on the painter.
    void draw(QPainter& painter, int x, int y, int width, int height, int sourceX, int sourceY) const;

    // The whole image, top row first.
    QImage toImage() const;

    bool isEmpty() const { return !block_; }
    int width() const { return width_; }
    int height() const { return height_; }
    int bitsPerPixel() const { return bitsPerPixel_; }
    int stride() const { return stride_; }
    int paletteSize() const { return paletteSize_; }
    const std::uint8_t* header() const { return header_; }
    const std::uint8_t* colorTable() const { return colors_; }
    const std::uint8_t* bits() const { return bits_; }

private:
    void clear();
    QRgb pixel(int x, int y) const;
    QRgb paletteColor(int index) const;

    std::unique_ptr<std::uint8_t[]> block_;
    std::uint8_t* header_ = nullptr;
    std::uint8_t* colors_ = nullptr;
    std::uint8_t* bits_ = nullptr;
    std::vector<std::uint8_t*> rows_;
    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 0;
    int stride_ = 0;
    int paletteSize_ = 0;
};

} // namespace quom
