#include "platform/pictures/Picture.h"

#include "core/files/ImageImport.h"
#include "core/io/Bytes.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <atomic>
#include <new>

#include <fcntl.h>
#include <unistd.h>

namespace quom {
namespace {

// Beyond these a picture is refused, checked from its header before decoding: 32 Mi pixels
// are 128 MiB decoded at 4 bytes a pixel, what Qt's readers refuse by default anyway (not
// every reader keeps to that), and a side far longer than that of any photograph costs some
// readers time per row out of all proportion.
constexpr qint64 kMaxPixels = qint64{1} << 25;
constexpr int kMaxSide = 1 << 16;

// Pixels converted at a time, so a picture never needs a second full-size copy.
constexpr qint64 kStripPixels = qint64{1} << 18;

// The largest picture decoded, stored uncompressed at 16 bits a channel with alpha, and
// room for its headers.
constexpr FileKind kPictureFileKind{"a picture", std::uint64_t{kMaxPixels} * 8 + (std::uint64_t{1} << 20)};

bool tooLarge(const QSize& size)
{
    return size.width() > kMaxSide || size.height() > kMaxSide
        || qint64{size.width()} * size.height() > kMaxPixels;
}

std::atomic<bool> decoderMessagesMuted{false};

// libpng and libtiff print their complaints straight to stderr, past Qt's message handler.
class StderrMuted {
public:
    StderrMuted()
        : saved_(decoderMessagesMuted.load() ? ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0) : -1)
    {
        if (saved_ < 0)
            return;
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null >= 0)
            ::dup2(null, STDERR_FILENO);
        if (null >= 0)
            ::close(null);
    }
    ~StderrMuted()
    {
        if (saved_ >= 0) {
            ::dup2(saved_, STDERR_FILENO);
            ::close(saved_);
        }
    }
    StderrMuted(const StderrMuted&) = delete;
    StderrMuted& operator=(const StderrMuted&) = delete;

private:
    int saved_;
};

} // namespace

void muteDecoderMessages()
{
    decoderMessagesMuted = true;
}

bool CPicture::load(const QString& path)
{
    return static_cast<bool>(read(path.toStdString()));
}

ReadStatus CPicture::read(const std::string& path)
{
    image_ = QImage();
    const auto bytes = readRegularFile(path, kPictureFileKind);
    if (!bytes)
        return bytes.error();
    const auto data = QByteArray::fromRawData(
        reinterpret_cast<const char*>(bytes->data()), static_cast<qsizetype>(bytes->size()));
    // Read whole but not decoded: not a picture, as far as Quom can tell.
    if (!decode(data))
        return ReadError{ReadFailure::WrongMagic, path, "cannot be read as a picture"};
    return std::monostate{};
}

bool CPicture::decode(const QByteArray& bytes)
{
    try {
        QBuffer buffer;
        buffer.setData(bytes);
        if (!buffer.open(QIODevice::ReadOnly))
            return false;
        const StderrMuted muted;
        QImageReader reader(&buffer);
        reader.setDecideFormatFromContent(true);
        // A reader that cannot tell the size beforehand is held to the same limits after.
        if (tooLarge(reader.size()))
            return false;
        image_ = reader.read();
        if (tooLarge(image_.size()))
            image_ = QImage();
    } catch (const std::bad_alloc&) {
        image_ = QImage();
    }
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
    if (source.isNull())
        return std::nullopt;
    const int width = source.width(), height = source.height();
    const int stripRows = static_cast<int>(std::clamp<qint64>(kStripPixels / width, 1, height));
    QImage strip;
    int stripTop = 0;
    const auto rowAt = [&](int y) {
        if (strip.isNull() || y >= stripTop + strip.height()) {
            stripTop = y;
            // Premultiplied colours are the picture composed over black.
            strip = source.copy(0, y, width, std::min(stripRows, height - y))
                        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            // Qt reports a failed allocation with a null image.
            if (strip.isNull())
                throw std::bad_alloc();
        }
        return reinterpret_cast<const std::uint32_t*>(strip.constScanLine(y - stripTop));
    };
    try {
        return importImageRows(width, height, rowAt);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

ReadResult<Grid> readPictureFile(const std::string& path)
{
    CPicture picture;
    if (const ReadStatus read = picture.read(path); !read)
        return read.error();
    const auto cells = importPicture(picture);
    if (!cells)
        return ReadError{ReadFailure::Unreadable, path, "not enough memory to import the picture"};
    return *cells;
}

} // namespace quom
