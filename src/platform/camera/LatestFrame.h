#pragma once

#include <QObject>
#include <QVideoFrame>

#include <mutex>

// Hands video frames from whichever thread the media framework delivers them on to the
// thread of this object, keeping only the newest one waiting. Queuing every frame lets a
// large video that decodes faster than its frames are shrunk pile up work ahead of the
// window's own events (a close request waits behind seconds of frames); a frame replaced
// before it was taken is simply never shown.
namespace quom {

class LatestFrame : public QObject {
    Q_OBJECT

public:
    // Any thread.
    void offer(const QVideoFrame& frame);

signals:
    // On this object's thread: the newest frame offered since the last one emitted.
    void ready(const QVideoFrame& frame);

private:
    void handOver();

    std::mutex mutex_;
    QVideoFrame newest_;
    bool handOverQueued_ = false;
};

} // namespace quom
