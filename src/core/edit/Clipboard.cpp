#include "core/edit/Clipboard.h"

namespace quom {
namespace {

bool onGrid(int column, int row) noexcept
{
    return column >= 0 && column < kColumns && row >= 0 && row < kRows;
}

} // namespace

void copySelection(const Grid& pattern, CellRect& selection, Grid& pasteBuffer, CellRect& clip) noexcept
{
    pasteBuffer = pattern;
    clip = selection.ordered();
    selection = {};
}

bool cutSelection(Grid& pattern, CellRect& selection, Grid& pasteBuffer, CellRect& clip) noexcept
{
    if (selection.empty())
        return false;
    copySelection(pattern, selection, pasteBuffer, clip);
    for (int x = clip.left; x <= clip.right; ++x) {
        for (int y = clip.top; y <= clip.bottom; ++y) {
            if (onGrid(x, y))
                pattern[cellIndex(x, y)] = 0;
        }
    }
    return true;
}

std::optional<CellRect> floatingStart(const CellRect& clip) noexcept
{
    if (clip.empty())
        return std::nullopt;
    const int spanX = clip.right - clip.left;
    const int spanY = clip.bottom - clip.top;
    const int left = (kColumns - spanX) / 2;
    const int top = (kRows - spanY) / 2;
    return CellRect{left, top, left + spanX, top + spanY};
}

Cell carriedCell(
    const Grid& pasteBuffer, const CellRect& clip, const CellRect& floating, int column, int row) noexcept
{
    const int x = clip.left + column - floating.left;
    const int y = clip.top + row - floating.top;
    return onGrid(x, y) ? pasteBuffer[cellIndex(x, y)] : 0;
}

bool moveFloating(CellRect& floating, int dx, int dy) noexcept
{
    const CellRect moved{floating.left + dx, floating.top + dy, floating.right + dx, floating.bottom + dy};
    if (!onGrid(moved.left, moved.top) || !onGrid(moved.right, moved.bottom))
        return false;
    floating = moved;
    return true;
}

void placeFloating(
    Grid& pattern, const Grid& pasteBuffer, const CellRect& clip, const CellRect& floating, bool mix) noexcept
{
    for (int x = floating.left; x <= floating.right; ++x) {
        for (int y = floating.top; y <= floating.bottom; ++y) {
            if (!onGrid(x, y))
                continue;
            const Cell v = carriedCell(pasteBuffer, clip, floating, x, y);
            if (!mix || v != 0)
                pattern[cellIndex(x, y)] = v;
        }
    }
}

} // namespace quom
