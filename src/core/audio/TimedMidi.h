#pragma once

#include "core/audio/MidiOutEvents.h"
#include "core/sync/BlockSync.h"
#include "core/sync/MidiClockLeader.h"

#include <array>
#include <cstdint>
#include <span>

// A block's MIDI out messages on the host's clock, for a back-end that schedules them
// ahead rather than writing them into the block (the ALSA sequencer's queue).
namespace quom {

struct TimedMidiMessage {
    std::int64_t heardNanos = 0; // the monotonic host time at which the message is due
    std::uint8_t size = 0;
    std::array<std::uint8_t, 3> bytes{};

    bool operator==(const TimedMidiMessage&) const = default;
};

// How far frame lies into a block, in nanoseconds, exact to the nanosecond below.
constexpr std::int64_t frameNanos(std::uint32_t frame, int sampleRate) noexcept
{
    return sampleRate > 0 ? static_cast<std::int64_t>(frame) * 1'000'000'000 / sampleRate : 0;
}

// The bytes a channel message of this status carries, status included.
constexpr std::uint8_t channelMessageSize(std::uint8_t status) noexcept
{
    const std::uint8_t kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 2 : 3;
}

// Writes the block's pattern messages and clock messages into out in frame order, each
// due at the host time its frame is heard (time.hostMicros is the block's first frame).
// At one frame the clock goes first, so that a receiver has counted the pulse (or heard
// Start) before the notes of the step it begins. Returns how many were written; what
// does not fit in out is left off the end. Audio thread: allocates nothing.
std::size_t timeBlock(std::span<const MidiOutEvent> notes, std::span<const ClockMessage> clock,
    const BlockTime& time, std::span<TimedMidiMessage> out) noexcept;

} // namespace quom
