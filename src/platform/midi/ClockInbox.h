#pragma once

#include "core/audio/SpscRing.h"
#include "core/sync/MidiClockSync.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <span>

// MIDI clock messages on their way from a MIDI device thread to the audio callback, each
// stamped with the monotonic time (microseconds) at which it arrived. The callback hands
// them to the clock it follows before asking where its block stands, so the follower stays
// on the audio thread alone.
//
// Threads: post on the one device thread that reads the clock, deliver on the audio
// thread; neither allocates, locks or waits. A message that does not fit is counted.
namespace quom {

class ClockInbox {
public:
    // Seven seconds of pulses at Quom's fastest tempo: the callback empties it every block.
    static constexpr std::size_t kCapacity = 1024;

    // Device thread. A message longer than three bytes is no clock message and is left out.
    void post(std::span<const std::uint8_t> message, std::int64_t micros) noexcept
    {
        Timed timed{micros, static_cast<std::uint8_t>(message.size()), {}};
        if (message.empty() || message.size() > timed.bytes.size())
            return;
        std::copy(message.begin(), message.end(), timed.bytes.begin());
        if (!ring_.push(&timed, 1))
            dropped_.fetch_add(1, std::memory_order_relaxed);
    }

    // Audio thread: every waiting message to clock, oldest first.
    void deliver(MidiClockSync& clock) noexcept
    {
        Timed timed;
        while (ring_.pop(&timed, 1) == 1)
            clock.receive(std::span<const std::uint8_t>(timed.bytes.data(), timed.size), timed.micros);
    }

    std::uint64_t dropped() const noexcept { return dropped_.load(std::memory_order_relaxed); }

private:
    struct Timed {
        std::int64_t micros = 0;
        std::uint8_t size = 0;
        std::array<std::uint8_t, 3> bytes{};
    };

    SpscRing<Timed> ring_{kCapacity};
    std::atomic<std::uint64_t> dropped_{0};
};

} // namespace quom
