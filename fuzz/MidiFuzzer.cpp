// MIDI control: a controller's settings and a stream of short messages, each turned
// into actions and applied to a pattern as the main window applies them.
#include "FuzzFile.h"

#include "core/edit/Transforms.h"
#include "core/midi/MidiControl.h"
#include "core/settings/Settings.h"

#include <iterator>

namespace {

// What MidiControl promises: patterns and tempos in range, and no move of nothing.
bool withinPromise(const quom::MidiAction& action)
{
    using Kind = quom::MidiAction::Kind;
    switch (action.kind) {
    case Kind::SelectPattern:
        return action.a >= 0 && action.a < quom::kPatternSlots;
    case Kind::SetTempo:
        return action.a >= 1 && action.a <= 350;
    case Kind::Scroll:
    case Kind::Rotate:
    case Kind::OffsetColors:
        return action.a != 0 || action.b != 0 || action.c != 0;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t kSettingsBytes = 8;
    if (size < kSettingsBytes)
        return 0;
    quom::Settings settings;
    // Channel 0..15 as the settings window offers it, controller numbers 0..128.
    settings.midiInChannel = data[0] & 0x0F;
    std::uint8_t* controllers[] = {&settings.ccX, &settings.ccY, &settings.ccRotation, &settings.ccTempo,
        &settings.ccRed, &settings.ccGreen, &settings.ccBlue};
    for (std::size_t i = 0; i < std::size(controllers); ++i)
        *controllers[i] = data[1 + i] % 129;

    quom::MidiControl control;
    // Every third cell painted, so colour offsets have notes to move.
    quom::Grid grid{};
    for (int i = 0; i < quom::kCells; i += 3)
        grid[i] = quom::makeCell(i & 0xFF, (i >> 4) & 0xFF, 0x80);
    for (std::size_t at = kSettingsBytes; at + 3 <= size; at += 3) {
        const std::uint32_t message = data[at] | (data[at + 1] << 8) | (data[at + 2] << 16);
        for (const quom::MidiAction& action : control.handle(message, settings)) {
            if (!withinPromise(action))
                fuzzFailure("an action outside its range");
            using Kind = quom::MidiAction::Kind;
            if (action.kind == Kind::Scroll)
                quom::scroll(grid, action.a, action.b);
            else if (action.kind == Kind::Rotate)
                quom::rotateQuarterTurns(grid, action.a);
            else if (action.kind == Kind::OffsetColors)
                quom::offsetColours(grid, action.a, action.b, action.c);
        }
    }
    return 0;
}
