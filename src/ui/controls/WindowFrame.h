#pragma once

// What the desktop adds above and below a window's client area (the title bar and the
// frame): a window fits a screen when its client area, this much taller, fits the
// screen's available area.
namespace quom {

inline constexpr int kWindowFrameHeight = 40;

} // namespace quom
