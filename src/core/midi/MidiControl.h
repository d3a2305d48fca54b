#pragma once

#include "core/settings/Settings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// Live control from a MIDI controller: program changes select a pattern, and the
// assignable controllers scroll, rotate, set the tempo and shift the colours. Turns
// each incoming short message into the actions it asks for and changes nothing
// itself: the window thread applies them, in order.
namespace quom {

struct MidiAction {
    enum class Kind { SelectPattern, Scroll, Rotate, SetTempo, OffsetColors };
    Kind kind;
    // SelectPattern: a = pattern 0..15. Scroll: a = columns, b = rows. Rotate: a =
    // quarter turns, positive clockwise. SetTempo: a = bpm 1..350. OffsetColors: a, b,
    // c = red, green and blue offsets.
    int a = 0;
    int b = 0;
    int c = 0;

    bool operator==(const MidiAction&) const = default;
};

class MidiControl {
public:
    // message: status in the low byte, the first data byte next, the second above
    // it; a message with a data byte above 127 is ignored. The channel and the
    // controller numbers are read from settings on every message, so a change to them
    // applies at once; a controller number of 128 (none) matches no message. A move of
    // nothing is no action.
    std::vector<MidiAction> handle(std::uint32_t message, const Settings& settings);

private:
    std::vector<MidiAction> controlChange(int controller, int value, const Settings& settings);

    // The controllers are relative: the first value seen only sets the reference, and
    // the references are kept for the life of the object.
    std::optional<int> lastX_;
    std::optional<int> lastY_;
    std::optional<int> rotationOrigin_;
    int lastRotation_ = 0;
    std::array<std::optional<int>, 3> lastColor_;
};

} // namespace quom
