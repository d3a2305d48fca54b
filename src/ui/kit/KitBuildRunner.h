#pragma once

#include "core/kit/KitBuild.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>

// Runs a KitBuild on the window thread's event loop in slices of a few milliseconds,
// so that MIDI, painting and Esc are served while a large tree is searched, and tells
// of its progress at most a few times a second however many files it looks at (a
// status line redrawn per file costs more than the search). Window thread.
namespace quom {

class KitBuildRunner : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    explicit KitBuildRunner(Clock clock, QObject* parent = nullptr);

    // Replaces any build under way; the first slice runs once the caller has returned
    // to the event loop.
    void start(KitBuild build);
    // Drops the build under way; nothing is heard of it again.
    void cancel();
    bool running() const noexcept { return slices_.isActive(); }
    // The build under way, or the one just finished. Only while one was started.
    const KitBuild& build() const { return *build_; }

signals:
    // Read the progress from build(): at the first slice, then at most every kProgressEvery.
    void progressed();
    // build() is done.
    void finished();

private:
    void runSlice();

    static constexpr std::chrono::milliseconds kSlice{15};
    static constexpr std::chrono::milliseconds kProgressEvery{250};

    Clock clock_;
    QTimer slices_;
    std::optional<KitBuild> build_;
    std::optional<std::chrono::steady_clock::time_point> lastProgress_;
};

} // namespace quom
