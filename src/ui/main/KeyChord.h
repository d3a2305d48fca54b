#pragma once

#include <Qt>

// A key as the main window's tables bind it. Only Ctrl and Shift matter; a key pad
// digit carries Qt::KeypadModifier.
namespace quom {

struct KeyChord {
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

    int key = 0; // 0: no key
    unsigned mods = 0;
    bool keypad = false; // only the key pad's key of that name

    bool matches(int pressed, Qt::KeyboardModifiers modifiers) const noexcept
    {
        const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
        const bool shift = modifiers.testFlag(Qt::ShiftModifier);
        const unsigned combination = ctrl ? (shift ? CtrlShift : Ctrl) : (shift ? Shift : None);
        return key != 0 && key == pressed && (mods & combination)
            && (!keypad || modifiers.testFlag(Qt::KeypadModifier));
    }
};

} // namespace quom
