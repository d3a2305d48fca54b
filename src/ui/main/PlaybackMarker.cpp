#include "ui/main/PlaybackMarker.h"

#include "ui/main/PatternView.h"

#include <algorithm>

namespace quom {

PlaybackMarker::PlaybackMarker(PatternView& view, std::function<int()> column, QObject* parent)
    : QObject(parent)
    , view_(view)
    , column_(std::move(column))
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &PlaybackMarker::poll);
    timer_.start(kStoppedIntervalMs);
}

void PlaybackMarker::poll()
{
    const int column = column_();
    const int previous = view_.markerColumn();
    if (column != previous) {
        view_.setMarkerColumn(column);
        stepMs_ = previous >= 0 && column >= 0 ? sinceChange_.elapsed() : 0;
        sinceChange_.start();
    }
    timer_.start(nextWaitMs(column));
}

int PlaybackMarker::nextWaitMs(int column) const
{
    if (column < 0)
        return kStoppedIntervalMs;
    if (stepMs_ == 0)
        return kIntervalMs;
    // A change is seen up to kIntervalMs after it happens, so the step measured between
    // two sightings is off by less than that: waking that much early catches the next
    // change as promptly as reading all the time would.
    const qint64 due = stepMs_ - sinceChange_.elapsed() - kIntervalMs;
    return static_cast<int>(std::clamp<qint64>(due, kIntervalMs, kLongestWaitMs));
}

} // namespace quom
