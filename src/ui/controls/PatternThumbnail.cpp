#include "ui/controls/PatternThumbnail.h"

#include "ui/controls/ColorWord.h"

namespace quom {

QImage thumbnailOf(const Grid& cells)
{
    QImage image(kThumbnailSize, kThumbnailSize, QImage::Format_RGB32);
    for (int y = 0; y < kThumbnailSize; ++y) {
        for (int x = 0; x < kThumbnailSize; ++x)
            image.setPixelColor(x, y, toQColor(cells[static_cast<std::size_t>(cellIndex(x / 2, y / 2))]));
    }
    return image;
}

} // namespace quom
