#pragma once

#include "core/model/Cell.h"

// One generation of the colour-carrying B3/S23 automaton on the 64 x 64 torus. A
// cell is alive when it is not black. A survivor keeps its colour; a newborn takes
// the colour of one of its three parents, chosen with one random draw, so the
// automaton never invents a colour. Every cell is computed from the previous
// generation, whatever the scan order.
namespace quom {

void evolve(Grid& grid);

} // namespace quom
