#include "ui/main/CanvasTools.h"

#include "core/color/ColorVariation.h"
#include "core/edit/Clipboard.h"
#include "core/model/PatternModel.h"
#include "core/project/Project.h"
#include "ui/controls/Cursors.h"
#include "ui/main/PatternView.h"

#include <QMouseEvent>

#include <utility>

namespace quom {

namespace {

bool contains(const CellRect& r, QPoint cell)
{
    const CellRect o = r.ordered();
    return cell.x() >= o.left && cell.x() <= o.right && cell.y() >= o.top && cell.y() <= o.bottom;
}

} // namespace

CanvasTools::CanvasTools(Project& project, const ToolOptions& options, PatternView& view,
    const CanvasGeometry& geometry, QObject* parent)
    : QObject(parent)
    , project_(project)
    , model_(project.model())
    , view_(view)
    , viewAlive_(&view)
    , geometry_(geometry)
    , options_(options)
{
    connect(&sprayTimer_, &QTimer::timeout, this, &CanvasTools::spray);
    view_.setMouseTracking(true);
    view_.installEventFilter(this);
    view_.setOverlay([this](QPainter& painter) { paint(painter); });
}

CanvasTools::~CanvasTools()
{
    if (!viewAlive_)
        return;
    view_.removeEventFilter(this);
    view_.setOverlay({});
}

void CanvasTools::setCanvasGeometry(const CanvasGeometry& geometry)
{
    geometry_ = geometry;
    eraserOutline_ = {};
}

bool CanvasTools::selectTool(Tool tool)
{
    if (tool == tool_)
        return false;
    if (tool_ == Tool::Eraser) {
        view_.update(eraserOutline_);
        eraserOutline_ = {};
    }
    if (tool_ == Tool::Selector) {
        model_.selection = {};
        view_.update();
    }
    tool_ = tool;
    emit toolChanged(tool);
    return true;
}

bool CanvasTools::startFloating(bool mix)
{
    const auto start = floatingStart(model_.clip);
    if (!start || floating())
        return false;
    savedTool_ = tool_;
    tool_ = mix ? Tool::FloatingMix : Tool::FloatingPaste;
    model_.selection = *start;
    grabbing_ = false;
    view_.update();
    return true;
}

bool CanvasTools::placeFloating()
{
    if (!floating())
        return false;
    const bool mix = tool_ == Tool::FloatingMix;
    tool_ = savedTool_;
    grabbing_ = false;
    project_.placeFloating(mix);
    view_.update();
    return true;
}

bool CanvasTools::cancelFloating()
{
    if (!floating())
        return false;
    model_.selection = {};
    tool_ = savedTool_;
    grabbing_ = false;
    view_.update();
    return true;
}

void CanvasTools::cancel()
{
    if (cancelFloating() || tool_ != Tool::Selector)
        return;
    model_.selection = {};
    view_.update();
}

void CanvasTools::resetState()
{
    sprayTimer_.stop();
    drawing_ = lineDragging_ = spraying_ = erasing_ = handDragging_ = selecting_ = grabbing_ = false;
    lineEnd_.reset();
    eraserOutline_ = {};
    handAnchor_ = {};
    if (floating())
        tool_ = savedTool_;
    view_.update();
}

bool CanvasTools::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &view_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: // a double click is two presses to the tools
        press(static_cast<const QMouseEvent&>(*event));
        return true;
    case QEvent::MouseMove:
        move(static_cast<const QMouseEvent&>(*event));
        return true;
    case QEvent::MouseButtonRelease:
        release(static_cast<const QMouseEvent&>(*event));
        return true;
    case QEvent::Leave:
        // Left in one jump, the pointer sent no move off the canvas.
        updateStatus(std::nullopt);
        moveOffCanvas();
        return false;
    default:
        return false;
    }
}

void CanvasTools::press(const QMouseEvent& event)
{
    const auto cell = geometry_.cellAt(event.position().toPoint());
    if (!cell)
        return;
    if (event.button() == Qt::LeftButton)
        leftDown(*cell, event.modifiers());
    else if (event.button() == Qt::RightButton)
        rightDown(*cell);
    updateCursor(cell);
}

void CanvasTools::move(const QMouseEvent& event)
{
    const auto cell = geometry_.cellAt(event.position().toPoint());
    updateStatus(cell);
    if (cell)
        moveOverCanvas(*cell, event.buttons());
    else
        moveOffCanvas();
    updateCursor(cell);
}

void CanvasTools::release(const QMouseEvent& event)
{
    if (event.button() == Qt::LeftButton && geometry_.onCanvas(event.position().toPoint()))
        leftUp();
}

void CanvasTools::leftDown(QPoint cell, Qt::KeyboardModifiers modifiers)
{
    switch (tool_) {
    case Tool::Pencil:
        if (modifiers & Qt::ControlModifier) {
            emit cellColorRequested(cell);
            return;
        }
        setCell(cell, varyColour(options_.pencilColor, variationAmount(options_.pencilVariation)));
        drawing_ = true;
        return;
    case Tool::Eraser:
        erasing_ = true;
        eraseAround(cell);
        showEraserOutline(cell);
        return;
    case Tool::Line:
        lineStart_ = cell;
        lineEnd_.reset();
        lineDragging_ = true;
        view_.update();
        return;
    case Tool::Aero:
        sprayCentre_ = cell;
        sprayRadius_ = options_.aeroRadius;
        sprayTimer_.start(airbrushInterval(options_.aeroSpeed));
        spraying_ = true;
        return;
    case Tool::Hand: {
        handAnchor_ = cell;
        model_.scratch() = model_.current().snapshot();
        const bool ctrl = modifiers & Qt::ControlModifier;
        const bool shift = modifiers & Qt::ShiftModifier;
        handMode_ = ctrl ? (shift ? HandMode::OneColumn : HandMode::OneRow) : HandMode::WholePattern;
        handDragging_ = true;
        return;
    }
    case Tool::EyeDropper:
        emit colorPicked(model_.current().at(cell.x(), cell.y()));
        return;
    case Tool::Selector:
        model_.selection = {cell.x(), cell.y(), cell.x(), cell.y()};
        selecting_ = true;
        view_.update();
        return;
    case Tool::FloatingPaste:
    case Tool::FloatingMix:
        if (contains(model_.selection, cell)) {
            grabCell_ = cell;
            grabbing_ = true;
        }
        return;
    }
}

void CanvasTools::rightDown(QPoint cell)
{
    if (tool_ != Tool::Pencil)
        return;
    setCell(cell, 0);
    drawing_ = true;
}

void CanvasTools::moveOverCanvas(QPoint cell, Qt::MouseButtons buttons)
{
    switch (tool_) {
    case Tool::Pencil:
        if (!drawing_)
            return;
        // Every move paints afresh, within one cell too, so a varied colour keeps changing.
        if (buttons & Qt::LeftButton)
            setCell(cell, varyColour(options_.pencilColor, variationAmount(options_.pencilVariation)));
        else if (buttons & Qt::RightButton)
            setCell(cell, 0);
        return;
    case Tool::Eraser:
        if (erasing_)
            eraseAround(cell);
        showEraserOutline(cell);
        return;
    case Tool::Line:
        if (lineDragging_) {
            lineEnd_ = cell;
            view_.update();
        }
        return;
    case Tool::Aero:
        if (spraying_)
            sprayCentre_ = cell;
        return;
    case Tool::Hand: {
        if (!handDragging_ || !(buttons & Qt::LeftButton))
            return;
        Grid cells = model_.current().snapshot();
        applyHandShift(cells, model_.scratch(), handMode_, handAnchor_.x(), handAnchor_.y(),
            cell.x() - handAnchor_.x(), cell.y() - handAnchor_.y());
        model_.current().assign(cells);
        view_.update();
        return;
    }
    case Tool::EyeDropper:
        return;
    case Tool::Selector:
        if (selecting_) {
            model_.selection.right = cell.x();
            model_.selection.bottom = cell.y();
            view_.update();
        }
        return;
    case Tool::FloatingPaste:
    case Tool::FloatingMix:
        // A move that would push the rectangle off the grid is ignored, and the grab
        // cell stays, so the rectangle catches up once the pointer comes back.
        if (grabbing_ && (buttons & Qt::LeftButton)
            && moveFloating(model_.selection, cell.x() - grabCell_.x(), cell.y() - grabCell_.y())) {
            grabCell_ = cell;
            view_.update();
        }
        return;
    }
}

void CanvasTools::moveOffCanvas()
{
    if (tool_ == Tool::Eraser)
        showEraserOutline(std::nullopt);
}

void CanvasTools::leftUp()
{
    switch (tool_) {
    case Tool::Pencil:
        if (std::exchange(drawing_, false))
            record();
        return;
    case Tool::Eraser:
        showEraserOutline(std::nullopt);
        if (std::exchange(erasing_, false))
            record();
        return;
    case Tool::Line:
        if (!std::exchange(lineDragging_, false) || !lineEnd_)
            return;
        for (const PaintedCell& p : linePoints(lineStart_.x(), lineStart_.y(), lineEnd_->x(), lineEnd_->y(),
                 options_.lineColor1, options_.lineColor2, options_.lineQuantize))
            model_.current().set(p.column, p.row, p.color);
        lineEnd_.reset();
        view_.update();
        record();
        return;
    case Tool::Aero:
        sprayTimer_.stop();
        if (std::exchange(spraying_, false))
            record();
        return;
    case Tool::Hand:
        if (std::exchange(handDragging_, false))
            record();
        return;
    case Tool::EyeDropper:
        return;
    case Tool::Selector:
        selecting_ = false;
        return;
    case Tool::FloatingPaste:
    case Tool::FloatingMix:
        grabbing_ = false;
        return;
    }
}

void CanvasTools::spray()
{
    const auto dot = airbrushDot(
        sprayCentre_.x(), sprayCentre_.y(), sprayRadius_, options_.aeroColor1, options_.aeroColor2);
    if (dot)
        setCell({dot->column, dot->row}, dot->color);
}

void CanvasTools::setCell(QPoint cell, Cell color)
{
    model_.current().set(cell.x(), cell.y(), color);
    view_.update(geometry_.cellRect(cell.x(), cell.y()));
}

void CanvasTools::eraseAround(QPoint cell)
{
    const CellRect f = eraserFootprint(cell.x(), cell.y(), options_.eraserSize);
    for (int x = f.left; x <= f.right; ++x) {
        for (int y = f.top; y <= f.bottom; ++y)
            model_.current().set(x, y, 0);
    }
    view_.update(geometry_.cellRect(f.left, f.top).united(geometry_.cellRect(f.right, f.bottom)));
}

void CanvasTools::showEraserOutline(std::optional<QPoint> cell)
{
    QRect outline;
    if (cell) {
        const CellRect f = eraserFootprint(cell->x(), cell->y(), options_.eraserSize);
        outline = geometry_.cellRect(f.left, f.top).united(geometry_.cellRect(f.right, f.bottom));
    }
    if (outline == eraserOutline_)
        return;
    view_.update(eraserOutline_.united(outline));
    eraserOutline_ = outline;
}

void CanvasTools::updateStatus(std::optional<QPoint> cell)
{
    const bool showsSample = tool_ == Tool::Pencil || tool_ == Tool::Line || tool_ == Tool::Aero;
    view_.setStatusText(cell && showsSample && sampleName_ ? sampleName_(cell->y()) : QString());
}

void CanvasTools::updateCursor(std::optional<QPoint> cell)
{
    if (!cell) {
        view_.unsetCursor();
        return;
    }
    const Cursors& cursors = paintedCursors();
    if (tool_ == Tool::EyeDropper)
        view_.setCursor(cursors.eyedropper);
    else if (tool_ == Tool::Hand && handDragging_)
        view_.setCursor(handMode_ == HandMode::OneRow ? cursors.handRow
                : handMode_ == HandMode::OneColumn    ? cursors.handColumn
                                                      : cursors.hand);
    else if (floating() && contains(model_.selection, *cell))
        view_.setCursor(cursors.hand);
    else
        view_.setCursor(cursors.drawing);
}

void CanvasTools::record()
{
    project_.recordUndo();
}

} // namespace quom
