#pragma once

#include <cstdint>

// Converts the host's monotonic time into the time of a sequencer queue that counts from
// its own start (the ALSA sequencer's real-time queue), from a pair of readings of the
// two clocks taken together. The pair is read again from time to time, as the clocks
// drift apart; the times handed out never go back, so that a new pair cannot put a
// message before one already scheduled (a note-off before its note-on).
// One thread: the one that schedules.
namespace quom {

class QueueClock {
public:
    // The queue read queueNanos between the host times before and after.
    void anchor(std::int64_t hostBefore, std::int64_t queueNanos, std::int64_t hostAfter) noexcept;
    bool anchored() const noexcept { return anchored_; }

    // The queue time at hostNanos: never before the last one handed out, never negative.
    std::int64_t queueTime(std::int64_t hostNanos) noexcept;

private:
    bool anchored_ = false;
    std::int64_t offset_ = 0; // queue time minus host time
    std::int64_t last_ = 0;
};

} // namespace quom
