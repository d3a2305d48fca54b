#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

// Moves the play-position marker of the canvas. The audio thread only publishes the
// column it plays; this timer reads it on the window thread, so drawing never waits
// on, or is done by, the audio thread. A wake-up of the window thread costs more than
// the marker's repaint, so the timer sleeps through most of a step: having seen two
// changes, it wakes shortly before the next one is due and reads every kIntervalMs
// until it comes.
namespace quom {

class PatternView;

class PlaybackMarker : public QObject {
    Q_OBJECT

public:
    // column() returns the column being played, or -1 while stopped.
    PlaybackMarker(PatternView& view, std::function<int()> column, QObject* parent = nullptr);

    // How late the marker may follow a step, and appear once playback starts.
    static constexpr int kIntervalMs = 20;
    static constexpr int kStoppedIntervalMs = 50;
    // After a jump to a faster tempo the marker lags no longer than this.
    static constexpr int kLongestWaitMs = 200;

    // Reads the column at once, as a tick of the timer does.
    void poll();

private:
    int nextWaitMs(int column) const;

    PatternView& view_;
    std::function<int()> column_;
    QTimer timer_;
    QElapsedTimer sinceChange_;
    qint64 stepMs_ = 0; // between the last two changes while playing; 0 when unknown
};

} // namespace quom
