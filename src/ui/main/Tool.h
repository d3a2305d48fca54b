#pragma once

namespace quom {

// The drawing tools of the canvas.
enum class Tool : int {
    Pencil = 1,
    Line = 2,
    Aero = 3,
    Eraser = 4,
    Hand = 5,
    EyeDropper = 6,
    Selector = 7,
    // A paste or mix floating over the pattern; the tool before it is kept aside.
    FloatingPaste = 0xFFFE,
    FloatingMix = 0xFFFF,
};

} // namespace quom
