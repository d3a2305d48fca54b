#pragma once

#include "core/model/Cell.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

// Pictures for the pattern: a camera, or a video file played looped and silent as if it
// were one, each frame shrunk to 64 x 64 cells as a picture is imported (transparent
// parts black, black pixels empty cells).
//
// Threads. Every member is for the window thread, and frame() is emitted there, in the
// order the frames arrived; a frame that arrives while an older one still waits replaces
// it. Qt Multimedia decodes on device threads of its own, which only hand each frame
// over: they never touch the pattern, the undo history, the settings or a widget.
namespace quom {

class VideoSource : public QObject {
    Q_OBJECT

public:
    explicit VideoSource(QObject* parent = nullptr);
    // Stops.
    ~VideoSource() override;

    // The cameras' descriptions, in the order start() tries them.
    static QStringList cameraNames();

    // What the next start() plays: an empty path means the cameras from firstCamera (an
    // index into cameraNames()) on, any other a video file.
    void setSource(const QString& path, int firstCamera = 0);

    // Stops what played, then starts the first camera that becomes active (one that reports
    // an error or stays inactive gives way to the next) or the file. Without a camera or a
    // readable file no frame ever arrives; failed() says why, from within start() for a
    // file that does not exist.
    void start();
    // No frame is emitted after it returns, not even one already on its way.
    void stop();

signals:
    void frame(const Grid& cells);
    // The file cannot be played, or no camera from the first one tried became active: a
    // sentence for the user, with the media framework's reason.
    void failed(const QString& reason);

private:
    struct Device;
    void tryCamera(int index);

    QString path_;
    int firstCamera_ = 0;
    // Counts stop()s: a camera change queued before the last one is dropped.
    std::uint64_t generation_ = 0;
    std::unique_ptr<Device> device_;
};

} // namespace quom
