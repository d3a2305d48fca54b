#include "ui/main/KeyTable.h"

#include <array>

namespace quom {

namespace {

using enum KeyChord::Mods;
using A = KeyAction::Kind;
using C = CommandId;

struct KeyBinding {
    KeyChord chord;
    KeyAction action;
};

constexpr KeyAction slot(int index)
{
    return {A::SelectPattern, C::New, index, 0};
}
constexpr KeyAction scroll(int columns, int rows)
{
    return {A::Scroll, C::New, columns, rows};
}
constexpr KeyBinding colorKey(int key, int channel, unsigned mods, int amount)
{
    return {{key, mods}, {A::AddColor, C::New, channel, amount}};
}
constexpr KeyBinding keypad(int key, unsigned mods, KeyAction action)
{
    return {{key, mods, true}, action};
}

constexpr KeyAction zoom(int steps)
{
    return {A::Zoom, C::New, steps, 0};
}

constexpr std::array kBindings{
    KeyBinding{{Qt::Key_Return, Any}, {A::ToggleRecording}},
    KeyBinding{{Qt::Key_Enter, Any}, {A::ToggleRecording}},
    colorKey(Qt::Key_R, 0, None, 1),
    colorKey(Qt::Key_R, 0, Shift, 10),
    colorKey(Qt::Key_R, 0, Ctrl, -1),
    colorKey(Qt::Key_R, 0, CtrlShift, -10),
    colorKey(Qt::Key_G, 1, None, 1),
    colorKey(Qt::Key_G, 1, Shift, 10),
    colorKey(Qt::Key_G, 1, Ctrl, -1),
    colorKey(Qt::Key_G, 1, CtrlShift, -10),
    colorKey(Qt::Key_B, 2, None, 1),
    colorKey(Qt::Key_B, 2, Shift, 10),
    colorKey(Qt::Key_B, 2, Ctrl, -1),
    colorKey(Qt::Key_B, 2, CtrlShift, -10),
    KeyBinding{{Qt::Key_I, NoCtrl}, {A::PlayRowSample}},
    KeyBinding{{Qt::Key_Left, None}, scroll(-1, 0)},
    KeyBinding{{Qt::Key_Left, Shift}, scroll(-4, 0)},
    KeyBinding{{Qt::Key_Right, None}, scroll(1, 0)},
    KeyBinding{{Qt::Key_Right, Shift}, scroll(4, 0)},
    KeyBinding{{Qt::Key_Up, None}, scroll(0, -1)},
    KeyBinding{{Qt::Key_Up, Shift}, scroll(0, -4)},
    KeyBinding{{Qt::Key_Down, None}, scroll(0, 1)},
    KeyBinding{{Qt::Key_Down, Shift}, scroll(0, 4)},
    keypad(Qt::Key_1, None, slot(0)),
    keypad(Qt::Key_2, None, slot(1)),
    keypad(Qt::Key_3, None, slot(2)),
    keypad(Qt::Key_4, None, slot(3)),
    keypad(Qt::Key_5, None, slot(4)),
    keypad(Qt::Key_6, None, slot(5)),
    keypad(Qt::Key_7, None, slot(6)),
    keypad(Qt::Key_8, None, slot(7)),
    keypad(Qt::Key_9, None, slot(8)),
    keypad(Qt::Key_0, Ctrl, slot(9)),
    keypad(Qt::Key_1, Ctrl, slot(10)),
    keypad(Qt::Key_2, Ctrl, slot(11)),
    keypad(Qt::Key_3, Ctrl, slot(12)),
    keypad(Qt::Key_4, Ctrl, slot(13)),
    keypad(Qt::Key_5, Ctrl, slot(14)),
    keypad(Qt::Key_6, Ctrl, slot(15)),
    KeyBinding{{Qt::Key_Escape, Any}, {A::Cancel}},
    // Plus shares its key with "=" on many keyboards: Ctrl with that key zooms in, Shift or not.
    KeyBinding{{Qt::Key_Plus, AnyCtrl}, zoom(1)},
    KeyBinding{{Qt::Key_Equal, AnyCtrl}, zoom(1)},
    KeyBinding{{Qt::Key_Minus, AnyCtrl}, zoom(-1)},
};

} // namespace

std::optional<KeyAction> resolveKey(int key, Qt::KeyboardModifiers modifiers)
{
    for (const CommandEntry& command : commandTable()) {
        if (command.key.matches(key, modifiers))
            return KeyAction{A::Command, command.id};
    }
    for (const KeyBinding& binding : kBindings) {
        if (binding.chord.matches(key, modifiers))
            return binding.action;
    }
    return std::nullopt;
}

bool togglesState(const KeyAction& action)
{
    if (action.kind == A::ToggleRecording)
        return true;
    const CommandEntry* command = action.kind == A::Command ? findCommand(action.command) : nullptr;
    return command && command->kind == CommandKind::Toggle;
}

} // namespace quom
