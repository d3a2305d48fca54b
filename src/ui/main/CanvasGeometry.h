#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// Pixel layout of the main window, all in window client pixels. Edges named left,
// top, right and bottom follow the window's convention: right and bottom lie one
// past the last pixel. Everything derives from the cell size, which is chosen from
// the screen's available area and the zoom.
namespace quom {

class CanvasGeometry {
public:
    CanvasGeometry(int cellWidth, int cellHeight) noexcept;

    // Cell sizes go in steps of one pixel each way from 8 x 6 at step 0; step 4 is
    // 12 x 10 and step 5 is 13 x 11.
    static CanvasGeometry atStep(int step) noexcept;
    int step() const noexcept { return cellWidth_ - kSmallestCell.width(); }

    // The step for a screen whose available area is room: 13 x 11 where the window
    // and its frame fit at that size, else the largest smaller step at which they fit
    // (step 0 when none does); zoom steps on from there, never past the largest step
    // that fits nor below step 0.
    static int stepFor(QSize room, int zoom) noexcept;
    static CanvasGeometry forScreen(QSize room, int zoom = 0) noexcept { return atStep(stepFor(room, zoom)); }

    int cellWidth() const noexcept { return cellWidth_; }
    int cellHeight() const noexcept { return cellHeight_; }
    QSize cellSize() const noexcept { return {cellWidth_, cellHeight_}; }

    int left() const noexcept { return 14; }
    int top() const noexcept { return 9; }
    int right() const noexcept;
    int bottom() const noexcept;

    int windowWidth() const noexcept;
    int windowHeight() const noexcept { return bottom() + 90; }

    // Horizontal distance between neighbouring command buttons.
    int buttonPitch() const noexcept { return cellWidth_ < 13 ? 37 : 40; }

    // The column right of the canvas (tools, their option panel, command rows, the
    // pattern number, tempo and volume) is drawn up for a window at least 595 pixels
    // tall; in a shorter one its rows close up evenly. y is where a control of the
    // column lies in a tall window.
    int columnY(int y) const noexcept;
    // The column's left edge: 20 pixels right of the canvas, or of the bottom row of
    // buttons where that row, longer than a narrow canvas, would run under the column.
    int columnLeft() const noexcept;
    // The top of the current tool's option panel, and of the rows under the commands.
    int panelTop() const noexcept;
    int patternLabelTop() const noexcept;
    int tempoTop() const noexcept;
    int volumeTop() const noexcept;

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
    static constexpr QSize kSmallestCell{8, 6};

    int bottomRowRight() const noexcept;

    int cellWidth_;
    int cellHeight_;
};

// Builds a QRect from window-style edges (right and bottom exclusive).
inline QRect edgesRect(int left, int top, int right, int bottom) noexcept
{
    return QRect(left, top, right - left, bottom - top);
}

} // namespace quom
