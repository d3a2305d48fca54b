#include "platform/pictures/Picture.h"

#include "core/files/ImageImport.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <span>

namespace quom {

bool CPicture::load(const QString& path)
{
    image_ = QImage();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    image_ = reader.read();
    return !image_.isNull();
}

void CPicture::render(QPainter& painter, const QRect& target) const
{
    if (!isLoaded())
        return;
    const QRect where = target == QRect() ? QRect(QPoint(0, 0), image_.size()) : target;
    painter.drawImage(where, image_);
}

std::optional<Grid> importPicture(const CPicture& picture)
{
    if (!picture.isLoaded())
        return std::nullopt;
    // Premultiplied colours are the picture composed over black.
    const QImage image = picture.image().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    std::vector<std::uint32_t> pixels;
    pixels.reserve(std::size_t(image.width()) * std::size_t(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        pixels.insert(pixels.end(), line, line + image.width());
    }
    return importImage(image.width(), image.height(), pixels);
}

} // namespace quom
