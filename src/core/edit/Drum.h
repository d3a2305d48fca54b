#pragma once

#include "core/model/Cell.h"

// The drum pattern generator: clears the grid, then paints 3..6 regular tracks (a
// hit every 2^e steps from a random offset) and 0..3 motif tracks (an eight-step
// motif repeated across the pattern) on distinct random rows. Every note has blue
// 127, red 55..255 and a random green. The draws follow a fixed order, so a seed
// gives the same pattern.
namespace quom {

void makeDrumPattern(Grid& grid);

} // namespace quom
