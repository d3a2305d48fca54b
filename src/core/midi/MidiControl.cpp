#include "core/midi/MidiControl.h"

#include "core/model/Cell.h"

#include <algorithm>
#include <utility>

namespace quom {
namespace {

constexpr int kProgramChange = 0xC0;
constexpr int kControlChange = 0xB0;
constexpr int kMaxDataByte = 0x7F;

// How far a relative controller moved since its last value; nothing for its first
// value, which only becomes the reference.
std::optional<int> moveTo(std::optional<int>& last, int value)
{
    const std::optional<int> previous = std::exchange(last, value);
    if (!previous)
        return std::nullopt;
    return value - *previous;
}

// The knob's angle (0..360 degrees over 0..128) in whole quarter turns from base;
// the division truncates toward zero, so quarter 0 spans both sides of base.
int quarterOf(int value, int base)
{
    return (value * 360 / 128 - base) / 90;
}

} // namespace

std::vector<MidiAction> MidiControl::handle(std::uint32_t message, const Settings& settings)
{
    const int status = static_cast<int>(message & 0xFF);
    const int data1 = static_cast<int>((message >> 8) & 0xFF);
    const int data2 = static_cast<int>((message >> 16) & 0xFF);
    // A data byte above 127 is not MIDI: a controller number of 128 would drive the
    // roles set to none.
    if (data1 > kMaxDataByte || data2 > kMaxDataByte || (status & 0x0F) != settings.midiInChannel)
        return {};
    if ((status & 0xF0) == kProgramChange) {
        if (data1 < kPatternSlots)
            return {{MidiAction::Kind::SelectPattern, data1}};
        return {};
    }
    if ((status & 0xF0) == kControlChange)
        return controlChange(data1, data2, settings);
    return {};
}

// Each role assigned to the controller acts in turn, but a role that takes its first
// value ends the message there.
std::vector<MidiAction> MidiControl::controlChange(int controller, int value, const Settings& settings)
{
    using Kind = MidiAction::Kind;
    std::vector<MidiAction> actions;

    if (controller == settings.ccX) {
        const auto dx = moveTo(lastX_, value / 2);
        if (!dx)
            return actions;
        if (*dx != 0)
            actions.push_back({Kind::Scroll, *dx, 0});
    }
    if (controller == settings.ccY) {
        const auto dy = moveTo(lastY_, value / 2);
        if (!dy)
            return actions;
        if (*dy != 0)
            actions.push_back({Kind::Scroll, 0, *dy});
    }
    if (controller == settings.ccTempo) {
        // As the tempo slider takes a value: into its range, then the whole number below.
        const float bpm = static_cast<float>(value * 350.0 / 127.0 + 1.0);
        const float kept = std::clamp(bpm, static_cast<float>(kMinTempo), static_cast<float>(kMaxTempo));
        actions.push_back({Kind::SetTempo, static_cast<int>(kept)});
    }
    if (controller == settings.ccRotation) {
        if (!rotationOrigin_) {
            rotationOrigin_ = lastRotation_ = value;
            return actions;
        }
        const int base = *rotationOrigin_ * 360 / 128;
        const int turns = quarterOf(value, base) - quarterOf(lastRotation_, base);
        if (turns != 0)
            actions.push_back({Kind::Rotate, turns});
        lastRotation_ = value;
    }
    const std::array<int, 3> colorControllers{settings.ccRed, settings.ccGreen, settings.ccBlue};
    for (std::size_t channel = 0; channel < colorControllers.size(); ++channel) {
        if (controller != colorControllers[channel])
            continue;
        const auto delta = moveTo(lastColor_[channel], value * 2);
        if (!delta)
            return actions;
        std::array<int, 3> offsets{};
        offsets[channel] = *delta;
        if (*delta != 0)
            actions.push_back({Kind::OffsetColors, offsets[0], offsets[1], offsets[2]});
    }
    return actions;
}

} // namespace quom
