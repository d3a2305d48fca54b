#pragma once

#include "ui/main/CanvasGeometry.h"

#include <QString>
#include <QWidget>

#include <functional>

// The canvas of the main window: a child covering the whole client area behind the
// controls, so its coordinates are the window's. It paints the background, the grid
// lines, the cells of the current pattern, the play-position marker, the status
// text and the notice under it. It holds no pattern of its own: it reads the live
// grid the engine plays.
namespace quom {

class LiveGrid;

class PatternView : public QWidget {
    Q_OBJECT

public:
    PatternView(const CanvasGeometry& geometry, const LiveGrid& cells, QWidget* parent = nullptr);

    // The canvas at another cell size; the caller gives the view its new size.
    void setCanvasGeometry(const CanvasGeometry& geometry);

    // Every fourth line brighter.
    void setGridShown(bool shown);

    // The column the marker is drawn at, or -1 for none (the strip is then cleared).
    void setMarkerColumn(int column);
    int markerColumn() const noexcept { return markerColumn_; }

    void setStatusText(const QString& text);
    const QString& statusText() const noexcept { return statusText_; }
    // Stays while the status text comes and goes with the pointer; wrapped, and a
    // line break starts a new line.
    void setNotice(const QString& text);
    const QString& notice() const noexcept { return notice_; }

    // What the canvas tools draw over the cells (previews, frames, a floating paste).
    void setOverlay(std::function<void(QPainter&)> paint);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintLines(QPainter& painter) const;
    void paintCells(QPainter& painter, const QRect& dirty) const;

    CanvasGeometry geometry_;
    const LiveGrid& cells_;
    bool gridShown_ = false;
    int markerColumn_ = -1;
    QString statusText_;
    QString notice_;
    std::function<void(QPainter&)> overlay_;
};

} // namespace quom
