#include "ui/main/QuomDlg.h"

#include "ui/controls/CCommandButton.h"
#include "ui/controls/GUIcolorButton.h"
#include "ui/main/CanvasTools.h"
#include "ui/main/ToolPanels.h"

namespace quom {

namespace {

// The file name part of a sample path, for the status line.
QString fileNameOf(const std::string& path)
{
    const QString full = QString::fromStdString(path);
    return full.mid(static_cast<int>(std::max(full.lastIndexOf(u'/'), full.lastIndexOf(u'\\'))) + 1);
}

} // namespace

void CQuomDlg::buildEditing()
{
    tools_ = new CanvasTools(project_, toolOptions_, *view_, geometry_, this);
    tools_->setSampleNames([this](int row) { return fileNameOf(project_.kit()->slot(row).name); });
    connect(tools_, &CanvasTools::colorPicked, pickedColor_, &GUIcolorButton::setColor);
    // Queued, so that the window opens once the press that asked for it is handled.
    connect(tools_, &CanvasTools::cellColorRequested, this, &CQuomDlg::editCellColor, Qt::QueuedConnection);
    panels_ = std::make_unique<ToolPanels>(*this, geometry_, toolOptions_);
    panels_->show(tools_->tool());
    connect(tools_, &CanvasTools::toolChanged, this, [this](Tool tool) {
        for (const CommandEntry& entry : commandTable()) {
            if (const auto* own = std::get_if<Tool>(&entry.operation))
                buttons_[entry.id]->setState(*own == tool);
        }
        panels_->show(tool);
    });
}

} // namespace quom
