#pragma once

#include "core/model/Cell.h"
#include "core/model/PatternModel.h"

#include <optional>
#include <vector>

// What the painting tools do to cells, apart from the mouse: the canvas turns mouse
// events into these calls and writes the cells they name into the live pattern.
namespace quom {

struct PaintedCell {
    int column = 0;
    int row = 0;
    Cell color = 0;

    friend bool operator==(const PaintedCell&, const PaintedCell&) = default;
};

// The cells a line from (x0, y0) to (x1, y1) paints, in walking order; the same list
// serves the preview and the pattern. The start is always painted in colour1; of the
// further points only every 2^quantize-th (quantize 0..4) is, in a colour running
// from colour1 to colour2 along the line. Points that are skipped keep their cells.
std::vector<PaintedCell> linePoints(int x0, int y0, int x1, int y1, Cell color1, Cell color2, int quantize);

// The size x size square of cells around (column, row) that the eraser clears (one
// less on the right and bottom for an even size), clipped to the grid.
CellRect eraserFootprint(int column, int row, int size) noexcept;

// One airbrush dot around the centre: draws distance, angle and then, for a dot that
// lands on the grid, the colour between colour1 and colour2. A dot off the grid is
// dropped (and draws no colour).
std::optional<PaintedCell> airbrushDot(
    int centreColumn, int centreRow, int radius, Cell color1, Cell color2) noexcept;

enum class HandMode { WholePattern = 0, OneRow = 1, OneColumn = 2 };

// The hand tool: the pattern shows the grid taken at the button press (scratch)
// shifted by (dx, dy) with wrap-around; one row or one column mode shift only the
// anchor's row (by dx) or column (by dy) and leave the rest of the pattern alone.
void applyHandShift(Grid& pattern, const Grid& scratch, HandMode mode, int anchorColumn, int anchorRow,
    int dx, int dy) noexcept;

} // namespace quom
