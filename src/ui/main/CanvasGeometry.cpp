#include "ui/main/CanvasGeometry.h"

#include "core/model/Cell.h"

namespace quom {

CanvasGeometry::CanvasGeometry(int cellWidth, int cellHeight) noexcept
    : cellWidth_(cellWidth)
    , cellHeight_(cellHeight)
{
}

CanvasGeometry CanvasGeometry::forScreenWidth(int screenWidth) noexcept
{
    return screenWidth > 1064 ? CanvasGeometry(13, 11) : CanvasGeometry(12, 10);
}

int CanvasGeometry::right() const noexcept
{
    return kColumns * cellWidth_ + 15;
}

int CanvasGeometry::bottom() const noexcept
{
    return kRows * cellHeight_ + 10;
}

int CanvasGeometry::windowWidth() const noexcept
{
    return cellWidth_ == 13 ? 1065 : 1001;
}

QRect CanvasGeometry::cellRect(int column, int row) const noexcept
{
    return edgesRect(column * cellWidth_ + 15, row * cellHeight_ + 10, (column + 1) * cellWidth_ + 14,
        (row + 1) * cellHeight_ + 9);
}

std::optional<QPoint> CanvasGeometry::cellAt(QPoint p) const noexcept
{
    if (p.x() <= left() || p.x() >= right() || p.y() <= top() || p.y() >= bottom())
        return std::nullopt;
    return QPoint((p.x() - 15) / cellWidth_, (p.y() - 10) / cellHeight_);
}

QRect CanvasGeometry::markerStrip() const noexcept
{
    return edgesRect(15, 5, kColumns * cellWidth_ + 15, 8);
}

QRect CanvasGeometry::markerRect(int column) const noexcept
{
    return edgesRect(column * cellWidth_ + 15, 5, cellWidth_ * (column + 1) + 14, 8);
}

QRect CanvasGeometry::statusRect() const noexcept
{
    return edgesRect(left(), bottom() + 50, right() / 2, bottom() + 90);
}

QRect CanvasGeometry::noticeRect() const noexcept
{
    return edgesRect(left(), bottom() + 63, right(), bottom() + 90);
}

} // namespace quom
