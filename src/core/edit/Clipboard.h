#pragma once

#include "core/model/Cell.h"
#include "core/model/PatternModel.h"

#include <optional>

// Copy, cut, paste and mix over the model's paste buffer and clip rectangle. Copy
// keeps the whole pattern in the paste buffer, not only the selected cells, with the
// ordered selection as the clip rectangle; an empty clip means there is nothing to
// paste. A paste or mix first floats: a rectangle of the clip's size that the user
// drags around, and only placing it writes into the pattern.
namespace quom {

// Stores the pattern and the ordered selection, and clears the selection. Without a
// selection the clip becomes empty.
void copySelection(const Grid& pattern, CellRect& selection, Grid& pasteBuffer, CellRect& clip) noexcept;

// Copy, then clears the clipped cells of the pattern. Does nothing without a
// selection and returns whether it acted (an undo state is then due).
bool cutSelection(Grid& pattern, CellRect& selection, Grid& pasteBuffer, CellRect& clip) noexcept;

// Where a paste or mix starts floating: the clip's size, centred on the grid.
// Nothing when the clip is empty.
std::optional<CellRect> floatingStart(const CellRect& clip) noexcept;

// The buffer cell that the floating rectangle carries over cell (column, row) of the
// pattern, for a (column, row) inside the floating rectangle.
Cell carriedCell(
    const Grid& pasteBuffer, const CellRect& clip, const CellRect& floating, int column, int row) noexcept;

// Moves the floating rectangle by (dx, dy) when it stays entirely on the grid;
// otherwise leaves it and returns false.
bool moveFloating(CellRect& floating, int dx, int dy) noexcept;

// Writes the carried cells into the pattern. A mix skips black buffer cells, so they
// are transparent.
void placeFloating(Grid& pattern, const Grid& pasteBuffer, const CellRect& clip, const CellRect& floating,
    bool mix) noexcept;

} // namespace quom
