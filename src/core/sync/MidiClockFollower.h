#pragma once

#include "core/model/Cell.h"
#include "core/sync/MidiClock.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

// Follows a MIDI clock: its play state, its tempo and where in the pattern it is.
//
// The tempo and the phase come from a line through the times of the last pulses (least
// squares, then refined to the middle of the band they fall in), so a jittery clock gives
// steady steps while a clean one locks from its second pulse. A
// pulse far off that line twice running (a tempo change, not jitter) restarts the line
// from there. Pulses that stop arriving leave the last tempo running and are reported.
//
// Timestamps are in any unit fixed at construction (nanoseconds, frames), taken from
// one clock: a pulse a little out of order is counted but not measured, one far back is
// taken for a clock that restarted.
//
// Threads: one thread at a time. Every member is noexcept and allocates nothing, so it
// may run in the audio callback.
namespace quom {

class MidiClockFollower {
public:
    // ticksPerSecond: the timestamps' unit, e.g. 1e9 for nanoseconds or the sample rate.
    explicit MidiClockFollower(std::int64_t ticksPerSecond, int startTempo = kDefaultTempo) noexcept;

    // One whole message as the port delivered it. Clock, Start, Continue, Stop and Song
    // Position Pointer count; everything else, and any malformed message, is ignored.
    void receive(std::span<const std::uint8_t> message, std::int64_t time) noexcept;

    bool running() const noexcept { return running_; }
    // Beats per minute, smoothed, within Quom's tempo range.
    double tempo() const noexcept;
    // The length of a step at tempo(), in timestamp units.
    double ticksPerStep() const noexcept { return clampedPeriod() * kPulsesPerStep; }
    // Steps from the song's start, fractional: step n begins at pulse 6n. Empty while
    // stopped and until the first pulse after Start or Continue. Between pulses it runs
    // on at tempo(); each pulse may move it by a little jitter's worth, so a player plays
    // a step once, when this first reaches it.
    std::optional<double> stepAt(std::int64_t time) const noexcept;
    // No pulse yet, or none for a while (the longer of half a second and four pulses,
    // as slow as Quom's slowest tempo while only one has come):
    // the position runs on at the last tempo until pulses return.
    bool sourceLost(std::int64_t now) const noexcept;

private:
    struct Pulse {
        std::int64_t index;
        std::int64_t time;
    };
    // Four beats: enough to average out jitter, short enough to follow a tempo change.
    static constexpr int kFitPulses = 96;
    // From a step's worth of pulses on, the phase comes from the band they fall in.
    static constexpr int kBandPulses = 8;

    void pulse(std::int64_t time) noexcept;
    void songPosition(std::uint8_t lsb, std::uint8_t msb) noexcept;
    void stop() noexcept;
    void startFrom(std::int64_t position) noexcept;
    // Fits the line through the kept pulses; returns how far the newest one lies after it.
    double fit() noexcept;
    // The middle of the band kept pulses from..to-1 (0 = newest) fall in around the line.
    double bandMiddle(int from, int to) noexcept;
    bool offTheLine(std::int64_t time) const noexcept;
    void keepNewest(int count) noexcept;
    double clampedPeriod() const noexcept;
    // How long without a pulse before the source counts as gone.
    double patience() const noexcept;
    double positionAt(std::int64_t time) const noexcept;

    double ticksPerSecond_;
    std::array<Pulse, kFitPulses> pulses_{};
    std::array<double, kFitPulses> offsets_{}; // room to sort in, kept off the audio thread's stack
    int kept_ = 0;
    int newest_ = -1;
    int offTheLineRun_ = 0;
    std::int64_t pulseCount_ = 0;
    double period_; // measured ticks per pulse, unclamped
    double lateness_ = 0; // how far the newest pulse came after the line

    bool running_ = false;
    bool positioned_ = false; // a pulse arrived since Start or Continue
    std::int64_t nextPosition_ = 0; // in pulses: where the next pulse lands when not positioned
    std::int64_t positionOffset_ = 0; // song position in pulses = pulse count + offset
    std::int64_t anchorTime_ = 0; // the newest pulse's time
    double anchorPosition_ = 0; // the song position at anchorTime_, in pulses
};

} // namespace quom
