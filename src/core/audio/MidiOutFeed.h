#pragma once

#include "core/audio/SpscRing.h"
#include "core/audio/TimedMidi.h"
#include "core/sync/MidiClockLeader.h"

#include <atomic>
#include <cstdint>
#include <span>
#include <vector>

// What Quom sends on a scheduled MIDI out, handed from the audio callback to the device
// thread that schedules it: each block's pattern messages and, while Quom leads a MIDI
// clock, the clock's, timed on the host's clock (TimedMidi.h), through a fixed ring.
//
// Threads. The audio callback calls beforeRender and afterRender around Engine::Render:
// nothing there allocates, locks or waits, and a block that does not fit whole is dropped
// and counted. One consumer thread takes. The switches are for any thread.
namespace quom {

class Engine;

class MidiOutFeed {
public:
    // Some seconds of a dense pattern with its clock, for a consumer that falls behind.
    static constexpr std::size_t kCapacity = 16384;
    // The longest block the clock is made for; a longer one loses clock messages.
    static constexpr std::uint32_t kMaxBlockFrames = 8192;

    MidiOutFeed();

    // Off (as made), the callback skips the work: no consumer is there to take it.
    void setEnabled(bool on) noexcept { enabled_.store(on, std::memory_order_relaxed); }
    // Sends MIDI clock while the engine plays on its own clock.
    void setClockOut(bool on) noexcept { clockOut_.store(on, std::memory_order_relaxed); }
    bool clockOut() const noexcept { return clockOut_.load(std::memory_order_relaxed); }

    // Audio thread, before Engine::Render: starts or stops the clock with the engine, so
    // that both hear Play and Stop at the block's first frame. A followed block (sync) has
    // its leader elsewhere: the clock stops.
    void beforeRender(const Engine& engine, const BlockSync* sync) noexcept;
    // Audio thread, after Engine::Render of the same block.
    void afterRender(const Engine& engine, const BlockTime& time) noexcept;

    // Consumer: up to out.size() messages, oldest first; returns how many.
    std::size_t take(std::span<TimedMidiMessage> out) noexcept { return ring_.pop(out.data(), out.size()); }

    // Messages lost since made: blocks that found the ring full, and clock messages past a
    // block's room. Any thread.
    std::uint64_t dropped() const noexcept { return dropped_.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> enabled_{false};
    std::atomic<bool> clockOut_{false};
    std::atomic<std::uint64_t> dropped_{0};
    MidiClockLeader leader_{kMaxBlockFrames};
    std::vector<TimedMidiMessage> block_; // sized once: a block's worth, notes and clock
    SpscRing<TimedMidiMessage> ring_{kCapacity};
};

} // namespace quom
