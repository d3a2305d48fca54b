#pragma once

#include "core/model/Cell.h"

// Whole-pattern operations. They work on a Grid value; the caller copies the result
// into the live pattern, repaints and records the undo state. The shuffles draw on
// the shared random generator, one draw per row, column or cell in increasing
// source order, so a seed always gives the same permutation.
namespace quom {

// Mirror left-right: column x swaps with column 63 - x.
void reverseX(Grid& grid) noexcept;
// Mirror top-bottom: row y swaps with row 63 - y.
void reverseY(Grid& grid) noexcept;

// Positive turns rotate clockwise on screen, (x, y) -> (63 - y, x); negative turns
// counter-clockwise, (x, y) -> (y, 63 - x). Any whole number of turns is allowed.
void rotateQuarterTurns(Grid& grid, int quarterTurns) noexcept;

// The cell (x, y) of source moves to ((x + dx) mod 64, (y + dy) mod 64).
Grid scrolled(const Grid& source, int dx, int dy) noexcept;
void scroll(Grid& grid, int dx, int dy) noexcept;

// Random permutations; each keeps the multiset of cells, and shuffleRows and
// shuffleColumns keep every row's or column's sequence intact.
void shuffleRows(Grid& grid);
void shuffleColumns(Grid& grid);
void shuffleCells(Grid& grid);

// Adds the offsets to every non-empty cell, each channel clamped to 0..255; empty
// cells stay empty and a cell pushed to black becomes empty. Returns false, changing
// nothing, when all three offsets are 0 (then no undo state is due either).
bool offsetColours(Grid& grid, int dr, int dg, int db) noexcept;

} // namespace quom
