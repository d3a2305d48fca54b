#pragma once

#include "core/model/Cell.h"

#include <array>

// Colour curves: each channel of the painted cells bent through a power curve, like a
// gamma control, with an optional inversion per channel. Red, green and blue set
// volume, pan and speed, so the curves reshape dynamics, stereo spread and pitch spread.
namespace quom {

struct CurveSettings {
    std::array<int, 3> amounts{}; // red, green, blue: -50..50
    std::array<bool, 3> inverted{};

    friend bool operator==(const CurveSettings&, const CurveSettings&) = default;
};

// amount >= 0: 1 / (amount / 10 + 1); below 0: |amount| / 10 + 1 (single precision), so
// +50 gives 1/6 (brighter), 0 gives 1 and -50 gives 6 (darker).
float curveExponent(int amount) noexcept;

// A channel value 0..255 through the curve: trunc(255 x (v / 255)^p), or 1 minus the
// power when inverted, the quotient and the power in single precision.
int curveOf(int value, float exponent, bool inverted) noexcept;

// The pattern the window shows: start with each cell that start paints mapped channel by
// channel through its curve (a cell mapped to black is then empty). With every amount
// 0 and nothing inverted, start itself.
Grid withColorCurves(const Grid& start, const CurveSettings& curves);

// The curve as the window plots it, rising to the right over i = 0..63: the height
// from the top of the 64-pixel plot as a fraction, 1 - (i / 63)^p, or (i / 63)^p when
// inverted; and the intensity of the strip beneath it, (i / 63)^p or 1 minus that.
float curvePlotHeight(int i, float exponent, bool inverted) noexcept;
float curveStripIntensity(int i, float exponent, bool inverted) noexcept;

} // namespace quom
