#pragma once

#include "core/sync/BlockSync.h"
#include "core/sync/MidiClockFollower.h"

#include <atomic>
#include <cstdint>
#include <span>

// Following a MIDI clock block by block: the follower's position as a BlockSync.
//
// The messages and the blocks are timed on one clock, fixed when made: the back-end's
// frames (JACK, whose MIDI events carry their frame) or monotonic host microseconds (a
// device thread that stamps each message as it arrives).
//
// Threads: receive and blockSync on the audio thread; the atomics for any thread.
namespace quom {

class MidiClockSync final : public BlockSyncSource {
public:
    enum class Timebase : std::uint8_t { Frames, HostMicros };
    MidiClockSync(Timebase timebase, int sampleRate, int startTempo) noexcept;

    // One whole message, time on the chosen clock. Until a clock first starts (Start or
    // Continue), blockSync gives nothing and Quom plays by itself; from then on the
    // clock starts and stops the pattern.
    void receive(std::span<const std::uint8_t> message, std::int64_t time) noexcept;
    std::optional<BlockSync> blockSync(const BlockTime& time) noexcept override;

    // Pulses stopped coming while running (or none came yet): the window says so. Any thread.
    bool sourceLost() const noexcept { return lost_.load(std::memory_order_relaxed); }

private:
    Timebase timebase_;
    int sampleRate_;
    MidiClockFollower follower_;
    bool heard_ = false;
    std::atomic<bool> lost_{false};
};

} // namespace quom
