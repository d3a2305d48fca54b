#pragma once

#include "core/audio/MidiOutEvents.h"
#include "core/sync/MidiClockLeader.h"

#include <cstdint>
#include <span>

// Which way each MIDI message goes in the JACK client's process callback, and the order
// in which its MIDI out is written. Plain functions, so that they are tested without a
// server. Audio thread: nothing here allocates.
namespace quom {

enum class MidiInRoute : std::uint8_t {
    Clock, // to the clock follower, stamped with its frame
    Control, // to the window thread, as MidiInput delivers it
    Ignored, // system exclusive, active sensing, malformed, or a realtime byte Quom does not use
};

MidiInRoute routeMidiIn(std::span<const std::uint8_t> message) noexcept;

// Status in the low byte, the first data byte next, the second above it.
std::uint32_t packShortMessage(std::span<const std::uint8_t> message) noexcept;

// The bytes a channel message of status takes: 2 for a program change and channel
// pressure, 3 for the others.
std::uint8_t channelMessageSize(std::uint8_t status) noexcept;

// Calls write(frame, bytes) for every event and clock message, in frame order; at one
// frame the clock comes first, so that a Start precedes the notes of the step it starts.
template <class Write>
void forEachInFrameOrder(
    std::span<const MidiOutEvent> events, std::span<const ClockMessage> clock, Write&& write) noexcept
{
    std::size_t e = 0;
    std::size_t c = 0;
    while (e < events.size() || c < clock.size()) {
        if (c < clock.size() && (e == events.size() || clock[c].frame <= events[e].frame)) {
            write(clock[c].frame, std::span<const std::uint8_t>(clock[c].bytes.data(), clock[c].size));
            ++c;
        } else {
            const MidiMessage& m = events[e].message;
            const std::uint8_t bytes[3] = {m.status, m.data1, m.data2};
            write(events[e].frame, std::span<const std::uint8_t>(bytes, channelMessageSize(m.status)));
            ++e;
        }
    }
}

} // namespace quom
