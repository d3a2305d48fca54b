#include "platform/jack/MidiRouting.h"

#include "core/sync/MidiClock.h"

namespace quom {

MidiInRoute routeMidiIn(std::span<const std::uint8_t> message) noexcept
{
    if (message.empty())
        return MidiInRoute::Ignored;
    const std::uint8_t status = message[0];
    switch (status) {
    case kMidiClock:
    case kMidiStart:
    case kMidiContinue:
    case kMidiStop:
        return message.size() == 1 ? MidiInRoute::Clock : MidiInRoute::Ignored;
    case kMidiSongPosition:
        return message.size() == 3 && message[1] < 0x80 && message[2] < 0x80 ? MidiInRoute::Clock
                                                                             : MidiInRoute::Ignored;
    default:
        break;
    }
    // Live control reads channel messages only; a message cut short or carrying a
    // status byte among its data is not one.
    if (status < 0x80 || status >= 0xF0 || message.size() != channelMessageSize(status))
        return MidiInRoute::Ignored;
    for (std::size_t i = 1; i < message.size(); ++i) {
        if (message[i] >= 0x80)
            return MidiInRoute::Ignored;
    }
    return MidiInRoute::Control;
}

std::uint32_t packShortMessage(std::span<const std::uint8_t> message) noexcept
{
    std::uint32_t packed = 0;
    for (std::size_t i = 0; i < message.size() && i < 3; ++i)
        packed |= std::uint32_t{message[i]} << (8 * i);
    return packed;
}

std::uint8_t channelMessageSize(std::uint8_t status) noexcept
{
    const std::uint8_t kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 2 : 3;
}

} // namespace quom
