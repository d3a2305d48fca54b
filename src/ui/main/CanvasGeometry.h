#pragma once

#include <QPoint>
#include <QRect>

#include <optional>

// Pixel layout of the main window, all in window client pixels. Edges named left,
// top, right and bottom follow the window's convention: right and bottom lie one
// past the last pixel. The cell size is fixed once from the screen width.
namespace quom {

class CanvasGeometry {
public:
    CanvasGeometry(int cellWidth, int cellHeight) noexcept;

    // Wide screens (more than 1064 pixels) get 13 x 11 cells, others 12 x 10.
    static CanvasGeometry forScreenWidth(int screenWidth) noexcept;

    int cellWidth() const noexcept { return cellWidth_; }
    int cellHeight() const noexcept { return cellHeight_; }

    int left() const noexcept { return 14; }
    int top() const noexcept { return 9; }
    int right() const noexcept;
    int bottom() const noexcept;

    int windowWidth() const noexcept;
    int windowHeight() const noexcept { return bottom() + 90; }

    // Horizontal distance between neighbouring command buttons.
    int buttonPitch() const noexcept { return cellWidth_ == 12 ? 37 : 40; }

    // The pixels a cell is filled with, leaving a grid line on its right and bottom.
    QRect cellRect(int column, int row) const noexcept;

    // The cell under a point, if the point lies on the canvas.
    std::optional<QPoint> cellAt(QPoint p) const noexcept;
    bool onCanvas(QPoint p) const noexcept { return cellAt(p).has_value(); }

    // The play-position band above the canvas, and one column's share of it.
    QRect markerStrip() const noexcept;
    QRect markerRect(int column) const noexcept;

    QRect statusRect() const noexcept;
    // The lines under the status text, across the canvas's width: what the window
    // keeps saying (no sound, the recording).
    QRect noticeRect() const noexcept;

private:
    int cellWidth_;
    int cellHeight_;
};

// Builds a QRect from window-style edges (right and bottom exclusive).
inline QRect edgesRect(int left, int top, int right, int bottom) noexcept
{
    return QRect(left, top, right - left, bottom - top);
}

} // namespace quom
