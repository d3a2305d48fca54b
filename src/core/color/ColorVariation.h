#pragma once

#include "core/model/Cell.h"

// Colour arithmetic shared by the painting tools and the generators.
namespace quom {

// The amount that a variation percentage (0..100) gives varyColour, in single precision.
float variationAmount(int percent) noexcept;

// Moves one channel by amount * (2u - 1), u one randomUnit draw, clamped to 0..255 and
// truncated. It draws even when amount is 0, so callers decide when to skip the draws.
int varyChannel(int channel, float amount) noexcept;

// Moves red, green and blue (in that order, one varyChannel each). An amount of 0
// returns the colour unchanged and draws nothing.
Cell varyColour(Cell color, float amount) noexcept;

// Per channel trunc(t * (b - a) + a), one t for all three channels.
Cell lerpColor(Cell a, Cell b, float t) noexcept;

} // namespace quom
