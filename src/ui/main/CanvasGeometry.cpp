#include "ui/main/CanvasGeometry.h"

#include "core/model/Cell.h"
#include "ui/controls/WindowFrame.h"

#include <algorithm>

namespace quom {

namespace {

// Without zoom no screen gets cells larger than 13 x 11, the largest the window has had.
constexpr int kLargestFittedStep = 5;

// The right-hand column in a tall window: its last row (the volume slider) ends at
// kColumnBottom, which stays kColumnMargin above the window's bottom edge.
constexpr int kPanelTop = 100; // below the canvas top
constexpr int kPatternLabelTop = 510;
constexpr int kTempoTop = 540;
constexpr int kVolumeTop = 570;
constexpr int kColumnBottom = kVolumeTop + 15;
constexpr int kColumnMargin = 10;

// The bottom row of command buttons: 21 places of 32-pixel buttons, as wide as the
// window at the smallest cells.
constexpr int kBottomPlaces = 21;
constexpr int kButtonWidth = 32;

bool fits(QSize room, int step) noexcept
{
    const CanvasGeometry g = CanvasGeometry::atStep(step);
    return g.windowWidth() <= room.width() && g.windowHeight() + kWindowFrameHeight <= room.height();
}

} // namespace

CanvasGeometry::CanvasGeometry(int cellWidth, int cellHeight) noexcept
    : cellWidth_(cellWidth)
    , cellHeight_(cellHeight)
{
}

CanvasGeometry CanvasGeometry::atStep(int step) noexcept
{
    return CanvasGeometry(kSmallestCell.width() + step, kSmallestCell.height() + step);
}

int CanvasGeometry::stepFor(QSize room, int zoom) noexcept
{
    int step = kLargestFittedStep;
    while (step > 0 && !fits(room, step))
        --step;
    if (zoom <= 0)
        return std::max(0, step + zoom);
    for (; zoom > 0 && fits(room, step + 1); --zoom)
        ++step;
    return step;
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
    // The sliders' value labels end 186 pixels right of the column's edge, 12 short of
    // the window's.
    return std::max(columnLeft() + 198, bottomRowRight() + left());
}

int CanvasGeometry::bottomRowRight() const noexcept
{
    return left() + (kBottomPlaces - 1) * buttonPitch() + kButtonWidth;
}

int CanvasGeometry::columnY(int y) const noexcept
{
    const int natural = kColumnBottom - top();
    const int room = std::min(natural, windowHeight() - kColumnMargin - top());
    return top() + (y - top()) * room / natural;
}

int CanvasGeometry::columnLeft() const noexcept
{
    const int besideCanvas = right() + 20;
    const bool rowReachesColumn = bottom() + 10 <= kColumnBottom;
    return rowReachesColumn ? std::max(besideCanvas, bottomRowRight() + 20) : besideCanvas;
}

int CanvasGeometry::panelTop() const noexcept
{
    return columnY(top() + kPanelTop);
}

int CanvasGeometry::patternLabelTop() const noexcept
{
    return columnY(kPatternLabelTop);
}

int CanvasGeometry::tempoTop() const noexcept
{
    return columnY(kTempoTop);
}

int CanvasGeometry::volumeTop() const noexcept
{
    return columnY(kVolumeTop);
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
