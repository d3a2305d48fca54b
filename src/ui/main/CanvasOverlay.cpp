// What the canvas tools draw over the cells of the pattern view.
#include "ui/main/CanvasTools.h"

#include "core/edit/Clipboard.h"
#include "core/model/PatternModel.h"
#include "ui/controls/ColorWord.h"

#include <QPainter>

namespace quom {

namespace {

const QColor kSelectionFrame{255, 0, 0};

// A one-pixel frame just inside r.
void frame(QPainter& painter, const QRect& r, const QColor& color)
{
    painter.fillRect(r.left(), r.top(), r.width(), 1, color);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, color);
    painter.fillRect(r.left(), r.top(), 1, r.height(), color);
    painter.fillRect(r.right(), r.top(), 1, r.height(), color);
}

} // namespace

void CanvasTools::paint(QPainter& painter) const
{
    if (lineDragging_ && lineEnd_)
        paintLinePreview(painter);
    if (!model_.selection.empty()) {
        // On the grid lines around the selected cells.
        const CellRect s = model_.selection.ordered();
        const int w = geometry_.cellWidth();
        const int h = geometry_.cellHeight();
        frame(painter,
            edgesRect(s.left * w + 14, s.top * h + 9, (s.right + 1) * w + 15, (s.bottom + 1) * h + 10),
            kSelectionFrame);
    }
    if (tool_ == Tool::Eraser && !eraserOutline_.isNull()) {
        painter.fillRect(eraserOutline_, Qt::black);
        frame(painter, eraserOutline_, Qt::white);
    }
    if (floating())
        paintFloating(painter);
}

void CanvasTools::paintLinePreview(QPainter& painter) const
{
    for (const PaintedCell& p : linePoints(lineStart_.x(), lineStart_.y(), lineEnd_->x(), lineEnd_->y(),
             options_.lineColor1, options_.lineColor2, options_.lineQuantize))
        painter.fillRect(geometry_.cellRect(p.column, p.row), toQColor(p.color));
}

void CanvasTools::paintFloating(QPainter& painter) const
{
    const CellRect& f = model_.selection;
    const bool mix = tool_ == Tool::FloatingMix;
    for (int x = f.left; x <= f.right; ++x) {
        for (int y = f.top; y <= f.bottom; ++y) {
            const Cell carried = carriedCell(model_.pasteBuffer(), model_.clip, f, x, y);
            if (!mix || carried != 0)
                painter.fillRect(geometry_.cellRect(x, y), toQColor(carried));
        }
    }
}

} // namespace quom
