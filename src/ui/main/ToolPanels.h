#pragma once

#include "core/edit/ToolOptions.h"
#include "ui/main/CanvasGeometry.h"
#include "ui/main/Tool.h"

#include <QPointer>
#include <QWidget>

#include <vector>

// The option panel of the current drawing tool, right of the canvas below the tool
// buttons: labelled swatches and sliders that edit the tool options as they move, so
// the options outlive the panel. The hand, eyedropper and selector have no panel.
// Controls are named after what they edit ("Pencil Color", "Aero Speed Value").
namespace quom {

class ToolPanels {
public:
    ToolPanels(QWidget& window, const CanvasGeometry& geometry, ToolOptions& options);
    ~ToolPanels();
    ToolPanels(const ToolPanels&) = delete;
    ToolPanels& operator=(const ToolPanels&) = delete;

    // Replaces the panel on show with the panel of tool.
    void show(Tool tool);
    // Lays the panel on show out again for the new geometry.
    void setCanvasGeometry(const CanvasGeometry& geometry);

private:
    void close();
    // Places are given in pixels below the panel's top and right of its left edge.
    void caption(const char* name, const QString& text, int top);
    void swatch(const char* name, Cell& color, int left, int top);
    void slider(
        const char* name, int& value, int minimum, int maximum, int largeStep, int top, QString (*text)(int));

    QWidget& window_;
    CanvasGeometry geometry_;
    ToolOptions& options_;
    Tool shown_ = Tool::Hand; // a tool without a panel
    std::vector<QPointer<QWidget>> controls_;
};

} // namespace quom
