#include "core/audio/HeldNotes.h"

namespace quom {

HeldNotes::HeldNotes() noexcept
{
    clear();
}

void HeldNotes::scheduled(const TimedMidiMessage& message) noexcept
{
    const std::uint8_t kind = message.bytes[0] & 0xF0;
    if (message.size != 3 || (kind != 0x80 && kind != 0x90))
        return;
    Times& times = notes_[(message.bytes[0] & 0x0F) * 128 + (message.bytes[1] & 0x7F)];
    // A note-on of velocity 0 is a note-off.
    if (kind == 0x90 && message.bytes[2] != 0)
        times.on = message.heardNanos;
    else
        times.off = message.heardNanos;
}

std::vector<std::array<std::uint8_t, 3>> HeldNotes::owed(std::int64_t nowNanos) const
{
    std::vector<std::array<std::uint8_t, 3>> offs;
    for (std::size_t i = 0; i < notes_.size(); ++i) {
        const Times& times = notes_[i];
        const bool ended = times.off >= times.on && times.off <= nowNanos;
        if (times.on != kNever && !ended)
            offs.push_back(
                {static_cast<std::uint8_t>(0x80 | (i / 128)), static_cast<std::uint8_t>(i % 128), 0});
    }
    return offs;
}

void HeldNotes::clear() noexcept
{
    notes_.fill({});
}

} // namespace quom
