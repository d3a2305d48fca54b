#pragma once

#include "core/midi/MidiControl.h"
#include "core/project/Project.h"

#include <cstdint>
#include <functional>
#include <vector>

// Live control from a MIDI controller, applied to the project: a program change
// selects a pattern, the assignable controllers scroll, rotate and shift the colours
// (live edits with no undo state of their own) and set the tempo. A run of moves
// becomes one undo state once the controller rests: the window's timer, restarted by
// every move, calls rest() when it runs out. While a window holds the pattern
// (PatternLoan) the tempo is taken at once and everything else is held: that window
// keeps the pattern and records its own state. When the window lets the pattern go the
// held actions apply in arrival order and become one undo state. Window thread only.
namespace quom {

struct Settings;

class LiveControl : private ProjectListener {
public:
    // The channel and the controllers are read from settings on every message, so
    // that a change to them applies at once. A program change makes its pattern current
    // through switchPattern when given (the transport's, which may wait for the wrap),
    // else at once.
    LiveControl(Project& project, const Settings& settings, std::function<void(int)> switchPattern = nullptr);
    ~LiveControl() override;
    LiveControl(const LiveControl&) = delete;
    LiveControl& operator=(const LiveControl&) = delete;

    // One short message, as MidiControl reads it. True when it moved the pattern:
    // the rest timer starts again.
    bool handle(std::uint32_t message);
    // The controller rests: the moves since the last rest become one undo state.
    void rest();
    // Whether actions wait for a window to let the pattern go.
    bool holding() const noexcept { return !held_.empty(); }

private:
    // True when it moved the current pattern.
    bool apply(const MidiAction& action);
    void patternReturned() override;

    Project& project_;
    const Settings& settings_;
    std::function<void(int)> switchPattern_;
    MidiControl messages_;
    std::vector<MidiAction> held_;
    // Moves of the current pattern not yet recorded; those of a pattern left go with
    // its history.
    bool moved_ = false;
};

} // namespace quom
