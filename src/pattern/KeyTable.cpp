#include "pattern/KeyTable.h"

#include <array>

namespace quom {

namespace {

// Which of the four Ctrl/Shift combinations a binding accepts.
enum Mods : unsigned {
    None = 1,
    Shift = 2,
    Ctrl = 4,
    CtrlShift = 8,
    Any = None | Shift | Ctrl | CtrlShift,
    AnyCtrl = Ctrl | CtrlShift,
    NoCtrl = None | Shift,
};

struct KeyBinding {
    int key;
    unsigned mods;
    bool keypad; // only the key pad's key of that name
    KeyAction action;
};

using A = KeyAction::Kind;
using C = CommandId;

constexpr KeyAction command(CommandId id)
{
    return {A::Command, id, 0, 0};
}
constexpr KeyAction slot(int index)
{
    return {A::SelectPattern, C::New, index, 0};
}
constexpr KeyAction scroll(int columns, int rows)
{
    return {A::Scroll, C::New, columns, rows};
}
constexpr KeyAction addColour(int channel, int amount)
{
    return {A::AddColour, C::New, channel, amount};
}

constexpr KeyBinding colourKey(int key, int channel, unsigned mods, int amount)
{
    return {key, mods, false, addColour(channel, amount)};
}

constexpr std::array kBindings{
    KeyBinding{Qt::Key_N, Ctrl, false, command(C::New)},
    KeyBinding{Qt::Key_N, CtrlShift, false, command(C::Clear)},
    KeyBinding{Qt::Key_O, Ctrl, false, command(C::Load)},
    KeyBinding{Qt::Key_O, CtrlShift, false, command(C::LoadPattern)},
    KeyBinding{Qt::Key_S, Ctrl, false, command(C::Save)},
    KeyBinding{Qt::Key_S, CtrlShift, false, command(C::SavePattern)},
    KeyBinding{Qt::Key_Return, Any, false, {A::ToggleRecording}},
    KeyBinding{Qt::Key_Enter, Any, false, {A::ToggleRecording}},
    KeyBinding{Qt::Key_P, Any, false, command(C::Patterns)},
    KeyBinding{Qt::Key_M, AnyCtrl, false, command(C::ExportMidi)},
    KeyBinding{Qt::Key_K, Any, false, command(C::Kits)},
    colourKey(Qt::Key_R, 0, None, 1),
    colourKey(Qt::Key_R, 0, Shift, 10),
    colourKey(Qt::Key_R, 0, Ctrl, -1),
    colourKey(Qt::Key_R, 0, CtrlShift, -10),
    colourKey(Qt::Key_G, 1, None, 1),
    colourKey(Qt::Key_G, 1, Shift, 10),
    colourKey(Qt::Key_G, 1, Ctrl, -1),
    colourKey(Qt::Key_G, 1, CtrlShift, -10),
    colourKey(Qt::Key_B, 2, None, 1),
    colourKey(Qt::Key_B, 2, Shift, 10),
    colourKey(Qt::Key_B, 2, Ctrl, -1),
    colourKey(Qt::Key_B, 2, CtrlShift, -10),
    KeyBinding{Qt::Key_D, Any, false, command(C::Rnd)},
    KeyBinding{Qt::Key_A, Any, false, command(C::Automata)},
    KeyBinding{Qt::Key_F, Any, false, command(C::Filter)},
    KeyBinding{Qt::Key_I, AnyCtrl, false, command(C::Import)},
    KeyBinding{Qt::Key_I, NoCtrl, false, {A::PlayRowSample}},
    KeyBinding{Qt::Key_W, AnyCtrl, false, command(C::Export)},
    KeyBinding{Qt::Key_Z, Any, false, command(C::Undo)},
    KeyBinding{Qt::Key_Y, Any, false, command(C::Redo)},
    KeyBinding{Qt::Key_Space, Any, false, command(C::Play)},
    KeyBinding{Qt::Key_F1, Any, false, command(C::Pencil)},
    KeyBinding{Qt::Key_F2, Any, false, command(C::Eraser)},
    KeyBinding{Qt::Key_F3, Any, false, command(C::Line)},
    KeyBinding{Qt::Key_F4, Any, false, command(C::Aero)},
    KeyBinding{Qt::Key_F5, Any, false, command(C::Hand)},
    KeyBinding{Qt::Key_F6, Any, false, command(C::Selector)},
    KeyBinding{Qt::Key_F7, Any, false, command(C::EyeDropper)},
    KeyBinding{Qt::Key_Left, None, false, scroll(-1, 0)},
    KeyBinding{Qt::Key_Left, Shift, false, scroll(-4, 0)},
    KeyBinding{Qt::Key_Right, None, false, scroll(1, 0)},
    KeyBinding{Qt::Key_Right, Shift, false, scroll(4, 0)},
    KeyBinding{Qt::Key_Up, None, false, scroll(0, -1)},
    KeyBinding{Qt::Key_Up, Shift, false, scroll(0, -4)},
    KeyBinding{Qt::Key_Down, None, false, scroll(0, 1)},
    KeyBinding{Qt::Key_Down, Shift, false, scroll(0, 4)},
    KeyBinding{Qt::Key_1, None, true, slot(0)},
    KeyBinding{Qt::Key_2, None, true, slot(1)},
    KeyBinding{Qt::Key_3, None, true, slot(2)},
    KeyBinding{Qt::Key_4, None, true, slot(3)},
    KeyBinding{Qt::Key_5, None, true, slot(4)},
    KeyBinding{Qt::Key_6, None, true, slot(5)},
    KeyBinding{Qt::Key_7, None, true, slot(6)},
    KeyBinding{Qt::Key_8, None, true, slot(7)},
    KeyBinding{Qt::Key_9, None, true, slot(8)},
    KeyBinding{Qt::Key_0, Ctrl, true, slot(9)},
    KeyBinding{Qt::Key_1, Ctrl, true, slot(10)},
    KeyBinding{Qt::Key_2, Ctrl, true, slot(11)},
    KeyBinding{Qt::Key_3, Ctrl, true, slot(12)},
    KeyBinding{Qt::Key_4, Ctrl, true, slot(13)},
    KeyBinding{Qt::Key_5, Ctrl, true, slot(14)},
    KeyBinding{Qt::Key_6, Ctrl, true, slot(15)},
    KeyBinding{Qt::Key_Escape, Any, false, {A::Cancel}},
};

unsigned combination(Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    if (ctrl)
        return shift ? CtrlShift : Ctrl;
    return shift ? Shift : None;
}

} // namespace

std::optional<KeyAction> resolveKey(int key, Qt::KeyboardModifiers modifiers)
{
    const unsigned combo = combination(modifiers);
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    for (const auto& binding : kBindings) {
        if (binding.key == key && (binding.mods & combo) && (!binding.keypad || keypad))
            return binding.action;
    }
    return std::nullopt;
}

} // namespace quom
