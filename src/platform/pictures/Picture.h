#pragma once

#include "core/io/ReadResult.h"
#include "core/model/Cell.h"

#include <QImage>
#include <QString>

#include <optional>
#include <string>

class QPainter;

namespace quom {

// From now on, the image readers' own complaints (libpng and libtiff write them straight
// to stderr) are dropped while a picture decodes. For single-threaded programs whose
// stderr carries their own one-line failures: it swaps the process's stderr meanwhile.
void muteDecoderMessages();

// A picture read from a file: JPEG, GIF, BMP, PNG and whatever else Qt's image readers
// decode.
class CPicture {
public:
    // Replaces any picture held before. False when the file cannot be opened or decoded,
    // when the picture has more than 2^25 pixels or a side longer than 2^16, or when memory
    // runs out; the object then holds nothing. The decoders' own messages are not printed.
    bool load(const QString& path);
    // The same, with why the file was refused.
    ReadStatus read(const std::string& path);

    bool isLoaded() const { return !image_.isNull(); }
    // (0, 0) when nothing is loaded.
    QSize pixelSize() const { return image_.size(); }
    // Draws the whole picture stretched into target; an empty (all-zero) rectangle means at
    // the origin, at the picture's own size.
    void render(QPainter& painter, const QRect& target) const;
    const QImage& image() const { return image_; }

private:
    bool decode(const QByteArray& bytes);

    QImage image_;
};

// The pattern the loaded picture turns into (see importImage). Transparent parts count as
// black, as if the picture had been drawn on a black surface. Nothing when none is loaded
// or memory runs out.
std::optional<Grid> importPicture(const CPicture& picture);
// The same for any image, such as a video frame. Nothing for a null image or when memory
// runs out.
std::optional<Grid> importQImage(const QImage& image);

// The pattern the picture file at path turns into. Only a regular file of a size a picture
// can have is read, so a FIFO or a device never blocks the caller.
ReadResult<Grid> readPictureFile(const std::string& path);

} // namespace quom
