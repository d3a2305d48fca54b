#pragma once

#include "core/model/Cell.h"

// Mutation: every painted cell's red, green and blue moved by a random amount within a
// range per channel. The draws come from the shared generator, so a caller that seeds
// it first gets the same mutation every time: the window re-seeds on every change,
// which makes its sliders intensity controls over one fixed mutation.
namespace quom {

// For every cell in index order that is not empty: varyColour with the amounts
// percent x 2.55 (single precision); a cell that lands on black becomes (1, 1, 1), so
// a painted cell stays painted. Empty cells stay empty and draw nothing; with all
// three amounts 0 nothing is drawn at all. Percentages 0..100.
void mutateCells(Grid& grid, int redPercent, int greenPercent, int bluePercent);

} // namespace quom
