#pragma once

#include "core/audio/TimedMidi.h"

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

// The notes a receiver may still be sounding, from the messages scheduled for it, so
// that closing the port or leaving a destination can end them. A queue that closes drops
// what still waits in it, so a note counts as held from its note-on until a note-off for
// it is due: one scheduled but not yet due may never be sent.
// One thread: the one that schedules.
namespace quom {

class HeldNotes {
public:
    HeldNotes() noexcept;

    // A message scheduled for the receiver; only notes matter.
    void scheduled(const TimedMidiMessage& message) noexcept;
    // The note-offs owed at host time nowNanos, by channel and note; harmless for a note
    // whose note-on had not been sent either.
    std::vector<std::array<std::uint8_t, 3>> owed(std::int64_t nowNanos) const;
    // Every note ended (their note-offs were sent).
    void clear() noexcept;

private:
    static constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::min();
    struct Times {
        std::int64_t on = kNever; // the last note-on's
        std::int64_t off = kNever; // the last note-off's
    };
    std::array<Times, 16 * 128> notes_;
};

} // namespace quom
