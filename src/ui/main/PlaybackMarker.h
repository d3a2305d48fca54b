#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// Moves the play-position marker of the canvas. The audio thread only publishes the
// column it plays; this timer reads it on the window thread, so drawing never waits
// on, or is done by, the audio thread.
namespace quom {

class PatternView;

class PlaybackMarker : public QObject {
    Q_OBJECT

public:
    // column() returns the column being played, or -1 while stopped.
    PlaybackMarker(PatternView& view, std::function<int()> column, QObject* parent = nullptr);

    static constexpr int kIntervalMs = 20;

    // Reads the column at once, as a tick of the timer does.
    void poll();

private:
    PatternView& view_;
    std::function<int()> column_;
    QTimer timer_;
};

} // namespace quom
