#pragma once

#include "core/edit/ToolAlgorithms.h"
#include "core/edit/ToolOptions.h"
#include "core/model/Cell.h"
#include "ui/main/CanvasGeometry.h"
#include "ui/main/Tool.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

class QMouseEvent;
class QPainter;

// The drawing tools of the canvas: turns the mouse over the pattern view and the
// airbrush timer into writes to the project's live pattern, and records an undo
// state at the end of each stroke. A stroke ends only when the button is released over the
// canvas; released elsewhere it stays open (the airbrush keeps spraying, the line
// keeps its start) until the next release over the canvas. Window thread only.
namespace quom {

class PatternModel;
class PatternView;
class Project;

class CanvasTools : public QObject {
    Q_OBJECT

public:
    // The sample file name of a kit row, for the status text.
    using SampleName = std::function<QString(int row)>;

    // The strokes paint with options.
    CanvasTools(Project& project, const ToolOptions& options, PatternView& view,
        const CanvasGeometry& geometry, QObject* parent = nullptr);
    ~CanvasTools() override;

    void setSampleNames(SampleName names) { sampleName_ = std::move(names); }
    // The canvas at another cell size; the eraser's outline waits for the next move.
    void setCanvasGeometry(const CanvasGeometry& geometry);

    Tool tool() const noexcept { return tool_; }
    // False when the tool is current already. Leaving the eraser hides its outline,
    // leaving the selector drops the selection; a stroke in progress stays open.
    bool selectTool(Tool tool);

    bool floating() const noexcept { return tool_ == Tool::FloatingPaste || tool_ == Tool::FloatingMix; }
    // Floats the clip at the centre of the grid; false when there is nothing to paste.
    bool startFloating(bool mix);
    // Writes a floating paste or mix into the pattern and records an undo state.
    // False when nothing floats.
    bool placeFloating();
    // Drops a floating paste or mix, leaving the pattern as it is.
    bool cancelFloating();
    // Esc: drops a floating paste or mix, else the selector's selection.
    void cancel();

    // No stroke, spray or drag in progress, no outline; for a new project.
    void resetState();

    // What the overlay shows.
    bool spraying() const noexcept { return spraying_; }
    QRect eraserOutline() const noexcept { return eraserOutline_; }

signals:
    void toolChanged(Tool tool);
    // The eyedropper took a cell's colour.
    void colorPicked(Cell color);
    // The pencil's Ctrl+click: the cell whose colour the user wants to set exactly.
    void cellColorRequested(QPoint cell);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void press(const QMouseEvent& event);
    void move(const QMouseEvent& event);
    void release(const QMouseEvent& event);

    void leftDown(QPoint cell, Qt::KeyboardModifiers modifiers);
    void rightDown(QPoint cell);
    void leftUp();
    void moveOverCanvas(QPoint cell, Qt::MouseButtons buttons);
    void moveOffCanvas();
    void spray();

    void paint(QPainter& painter) const;
    void paintLinePreview(QPainter& painter) const;
    void paintFloating(QPainter& painter) const;

    void setCell(QPoint cell, Cell color);
    void eraseAround(QPoint cell);
    void showEraserOutline(std::optional<QPoint> cell);
    void updateStatus(std::optional<QPoint> cell);
    void updateCursor(std::optional<QPoint> cell);
    void record();

    Project& project_;
    PatternModel& model_;
    PatternView& view_;
    // Siblings in the main window may go in either order: only a living view is told.
    QPointer<PatternView> viewAlive_;
    CanvasGeometry geometry_;
    const ToolOptions& options_;
    SampleName sampleName_;

    Tool tool_ = Tool::Pencil;
    Tool savedTool_ = Tool::Pencil;

    bool drawing_ = false;

    bool lineDragging_ = false;
    QPoint lineStart_;
    std::optional<QPoint> lineEnd_;

    bool spraying_ = false;
    QPoint sprayCentre_;
    int sprayRadius_ = 0;
    QTimer sprayTimer_;

    bool erasing_ = false;
    QRect eraserOutline_;

    bool handDragging_ = false;
    QPoint handAnchor_;
    HandMode handMode_ = HandMode::WholePattern;

    bool selecting_ = false;

    bool grabbing_ = false;
    QPoint grabCell_;
};

} // namespace quom
