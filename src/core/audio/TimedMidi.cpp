#include "core/audio/TimedMidi.h"

namespace quom {

std::size_t timeBlock(std::span<const MidiOutEvent> notes, std::span<const ClockMessage> clock,
    const BlockTime& time, std::span<TimedMidiMessage> out) noexcept
{
    const std::int64_t blockNanos = time.hostMicros * 1000;
    auto timed = [&](std::uint32_t frame) { return blockNanos + frameNanos(frame, time.sampleRate); };
    std::size_t written = 0;
    std::size_t n = 0;
    std::size_t c = 0;
    while (written < out.size() && (n < notes.size() || c < clock.size())) {
        if (c < clock.size() && (n == notes.size() || clock[c].frame <= notes[n].frame)) {
            const ClockMessage& message = clock[c++];
            out[written++] = {timed(message.frame), message.size, message.bytes};
        } else {
            const MidiOutEvent& event = notes[n++];
            const MidiMessage& m = event.message;
            out[written++] = {timed(event.frame), channelMessageSize(m.status), {m.status, m.data1, m.data2}};
        }
    }
    return written;
}

} // namespace quom
