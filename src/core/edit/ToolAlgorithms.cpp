#include "core/edit/ToolAlgorithms.h"

#include "core/color/ColorVariation.h"
#include "core/edit/Transforms.h"
#include "core/random/Random.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quom {
namespace {

int sign(int value) noexcept
{
    return (value > 0) - (value < 0);
}

} // namespace

std::vector<PaintedCell> linePoints(int x0, int y0, int x1, int y1, Cell color1, Cell color2, int quantize)
{
    const int spanX = x1 - x0;
    const int spanY = y1 - y0;
    const bool alongX = 2 * std::abs(spanY) < 2 * std::abs(spanX);
    const int major = alongX ? std::abs(spanX) : std::abs(spanY);
    const int minor = alongX ? std::abs(spanY) : std::abs(spanX);
    const int n = major + 1;
    const int step = 1 << std::clamp(quantize, 0, 4);

    std::vector<PaintedCell> points{{x0, y0, color1}};
    int x = x0;
    int y = y0;
    int error = 2 * minor - major;
    for (int k = 1; k < n; ++k) {
        if (error >= 0) {
            if (alongX)
                y += sign(spanY);
            else
                x += sign(spanX);
            error -= 2 * major;
        }
        error += 2 * minor;
        if (alongX)
            x += sign(spanX);
        else
            y += sign(spanY);
        if (k % step == 0)
            points.push_back(
                {x, y, lerpColor(color1, color2, static_cast<float>(k) / static_cast<float>(n - 1))});
    }
    return points;
}

CellRect eraserFootprint(int column, int row, int size) noexcept
{
    const int half = size / 2;
    const int extra = size % 2 == 0 ? 1 : 0;
    return {std::max(column - half, 0), std::max(row - half, 0),
        std::min(column + half - extra, kColumns - 1), std::min(row + half - extra, kRows - 1)};
}

std::optional<PaintedCell> airbrushDot(
    int centreColumn, int centreRow, int radius, Cell color1, Cell color2) noexcept
{
    const float distance = randomUnit() * static_cast<float>(radius);
    const float angle = randomUnit() * 6.2831855f;
    const int x = static_cast<int>(std::cos(angle) * distance + static_cast<float>(centreColumn));
    const int y = static_cast<int>(std::sin(angle) * distance + static_cast<float>(centreRow));
    if (x < 0 || x >= kColumns || y < 0 || y >= kRows)
        return std::nullopt;
    return PaintedCell{x, y, lerpColor(color1, color2, randomUnit())};
}

void applyHandShift(Grid& pattern, const Grid& scratch, HandMode mode, int anchorColumn, int anchorRow,
    int dx, int dy) noexcept
{
    switch (mode) {
    case HandMode::WholePattern:
        pattern = scrolled(scratch, dx, dy);
        break;
    case HandMode::OneRow: {
        const Grid shifted = scrolled(scratch, dx, 0);
        for (int x = 0; x < kColumns; ++x)
            pattern[cellIndex(x, anchorRow)] = shifted[cellIndex(x, anchorRow)];
        break;
    }
    case HandMode::OneColumn: {
        const Grid shifted = scrolled(scratch, 0, dy);
        for (int y = 0; y < kRows; ++y)
            pattern[cellIndex(anchorColumn, y)] = shifted[cellIndex(anchorColumn, y)];
        break;
    }
    }
}

} // namespace quom
