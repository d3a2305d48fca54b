#include "platform/camera/LatestFrame.h"

namespace quom {

void LatestFrame::offer(const QVideoFrame& frame)
{
    {
        const std::lock_guard lock(mutex_);
        newest_ = frame;
        if (handOverQueued_)
            return;
        handOverQueued_ = true;
    }
    QMetaObject::invokeMethod(this, &LatestFrame::handOver, Qt::QueuedConnection);
}

void LatestFrame::handOver()
{
    QVideoFrame frame;
    {
        const std::lock_guard lock(mutex_);
        std::swap(frame, newest_);
        handOverQueued_ = false;
    }
    emit ready(frame);
}

} // namespace quom
