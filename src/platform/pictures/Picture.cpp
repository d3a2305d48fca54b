#include "platform/pictures/Picture.h"

#include "core/files/ImageImport.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <filesystem>
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
    return importQImage(picture.image());
}

std::optional<Grid> importQImage(const QImage& source)
{
    // Premultiplied colours are the picture composed over black.
    const QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    std::vector<std::uint32_t> pixels;
    pixels.reserve(std::size_t(image.width()) * std::size_t(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        pixels.insert(pixels.end(), line, line + image.width());
    }
    return importImage(image.width(), image.height(), pixels);
}

ReadResult<Grid> readPictureFile(const std::string& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status))
        return ReadError{ReadFailure::Unreadable, path, "no such file"};
    if (!std::filesystem::is_regular_file(status))
        return ReadError{ReadFailure::Unreadable, path, "not a regular file"};
    CPicture picture;
    if (!picture.load(QString::fromStdString(path)))
        return ReadError{ReadFailure::Unreadable, path, "cannot be read as a picture"};
    return *importPicture(picture);
}

} // namespace quom
