#pragma once

#include "ui/main/CommandTable.h"

#include <Qt>

#include <optional>

// The keyboard of the main window as data. Every key-down of the window is looked
// up here before any control sees it; a key that resolves is consumed. The keys of
// the commands are their rows' in the command table; this table adds the keys that
// are not a button's.
namespace quom {

struct KeyAction {
    enum class Kind {
        Command, // run `command` as if its button were clicked
        SelectPattern, // a = slot 0..15
        Scroll, // a, b = columns, rows
        AddColor, // a = channel 0 red, 1 green, 2 blue; b = amount
        PlayRowSample, // audition the sample of the row under the mouse
        Cancel, // drop a floating paste, or the selection
        ToggleRecording, // leaves a floating paste floating, unlike the Record button
        Zoom, // a = cell-pixel steps, +1 larger or -1 smaller
    };

    Kind kind = Kind::Command;
    CommandId command = CommandId::New;
    int a = 0;
    int b = 0;

    bool operator==(const KeyAction&) const = default;
};

std::optional<KeyAction> resolveKey(int key, Qt::KeyboardModifiers modifiers);

// Whether the action flips a state (Play, Record, the grid): a held key, which the
// keyboard repeats, acts on its first press only.
bool togglesState(const KeyAction& action);

} // namespace quom
