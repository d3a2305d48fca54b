#include "ui/main/PatternView.h"

#include "core/model/LiveGrid.h"
#include "ui/controls/ColorWord.h"
#include "ui/controls/Theme.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace quom {

namespace {

const QColor kVerticalLine{40, 40, 40};
const QColor kHorizontalLine{40, 50, 40};
const QColor kGridLine{70, 70, 70};
const QColor kMarker{255, 0, 0};

} // namespace

PatternView::PatternView(const CanvasGeometry& geometry, const LiveGrid& cells, QWidget* parent)
    : QWidget(parent)
    , geometry_(geometry)
    , cells_(cells)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PatternView::setCanvasGeometry(const CanvasGeometry& geometry)
{
    geometry_ = geometry;
    update();
}

void PatternView::setGridShown(bool shown)
{
    if (gridShown_ == shown)
        return;
    gridShown_ = shown;
    update();
}

void PatternView::setMarkerColumn(int column)
{
    if (column == markerColumn_)
        return;
    update(markerColumn_ < 0 ? geometry_.markerStrip() : geometry_.markerRect(markerColumn_));
    markerColumn_ = column;
    if (column >= 0)
        update(geometry_.markerRect(column));
}

void PatternView::setStatusText(const QString& text)
{
    if (text == statusText_)
        return;
    statusText_ = text;
    update(geometry_.statusRect());
}

void PatternView::setNotice(const QString& text)
{
    if (text == notice_)
        return;
    notice_ = text;
    update(geometry_.noticeRect());
}

void PatternView::setOverlay(std::function<void(QPainter&)> paint)
{
    overlay_ = std::move(paint);
    update();
}

void PatternView::paintEvent(QPaintEvent* event)
{
    const QRegion& dirty = event->region();
    QPainter painter(this);
    painter.setClipRegion(dirty);
    painter.fillRect(rect(), theme::kBackground);
    paintLines(painter);
    paintCells(painter, event->rect());
    if (overlay_)
        overlay_(painter);
    if (markerColumn_ >= 0)
        painter.fillRect(geometry_.markerRect(markerColumn_), kMarker);

    // Laying text out costs more than the marker's whole sliver: only where it shows.
    painter.setPen(theme::kStaticText);
    const QRect status = geometry_.statusRect();
    if (dirty.intersects(status))
        painter.drawText(status, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, statusText_);
    const QRect notice = geometry_.noticeRect();
    if (dirty.intersects(notice))
        painter.drawText(notice, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, notice_);
}

void PatternView::paintLines(QPainter& painter) const
{
    const int w = geometry_.cellWidth();
    const int h = geometry_.cellHeight();
    const int top = geometry_.top();
    const int left = geometry_.left();
    // Lines run up to, not onto, the far edge. They are filled as one-pixel rectangles:
    // the raster engine clips a rectangle at once but a line pixel by pixel, which made
    // the lines most of the marker's repaint.
    const int bottom = geometry_.bottom();
    const int right = geometry_.right();
    for (int pass = 0; pass < 2; ++pass) {
        const bool major = pass == 1;
        if (major && !gridShown_)
            break;
        const int every = major ? 4 : 1;
        const QColor& vertical = major ? kGridLine : kVerticalLine;
        const QColor& horizontal = major ? kGridLine : kHorizontalLine;
        for (int i = 0; i <= kColumns; i += every)
            painter.fillRect(edgesRect(i * w + left, top, i * w + left + 1, bottom), vertical);
        for (int i = 0; i <= kRows; i += every)
            painter.fillRect(edgesRect(left, i * h + top, right, i * h + top + 1), horizontal);
    }
}

void PatternView::paintCells(QPainter& painter, const QRect& dirty) const
{
    // The marker repaints a sliver many times a second: touch only the cells it needs.
    const int w = geometry_.cellWidth();
    const int h = geometry_.cellHeight();
    const int firstColumn = std::max(0, (dirty.left() - 15) / w);
    const int lastColumn = std::min(kColumns - 1, (dirty.right() - 15) / w);
    const int firstRow = std::max(0, (dirty.top() - 10) / h);
    const int lastRow = std::min(kRows - 1, (dirty.bottom() - 10) / h);
    for (int x = firstColumn; x <= lastColumn; ++x) {
        for (int y = firstRow; y <= lastRow; ++y)
            painter.fillRect(geometry_.cellRect(x, y), toQColor(cells_.at(x, y)));
    }
}

} // namespace quom
