#include "ui/main/PlaybackMarker.h"

#include "ui/main/PatternView.h"

namespace quom {

PlaybackMarker::PlaybackMarker(PatternView& view, std::function<int()> column, QObject* parent)
    : QObject(parent)
    , view_(view)
    , column_(std::move(column))
{
    connect(&timer_, &QTimer::timeout, this, &PlaybackMarker::poll);
    timer_.start(kIntervalMs);
}

void PlaybackMarker::poll()
{
    view_.setMarkerColumn(column_());
}

} // namespace quom
