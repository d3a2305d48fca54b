#include "pattern/QuomDlg.h"

#include "controls/CCommandButton.h"
#include "controls/GUIcolorButton.h"
#include "kit/Kit.h"
#include "pattern/CanvasTools.h"
#include "pattern/PatternCommands.h"
#include "pattern/ToolPanels.h"

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
    tools_ = new CanvasTools(model_, undo_, *view_, geometry_, toolOptions_, this);
    commands_ = std::make_unique<PatternCommands>(model_, undo_, *view_, *tools_);
    tools_->setSampleNames([this](int row) { return fileNameOf(currentKit()->slot(row).name); });
    connect(tools_, &CanvasTools::colourPicked, pickedColour_, &GUIcolorButton::setColor);
    panels_ = std::make_unique<ToolPanels>(*this, geometry_, toolOptions_);
    panels_->show(tools_->tool());
    connect(tools_, &CanvasTools::toolChanged, this, [this](Tool tool) {
        for (const auto& [id, button] : buttons_) {
            if (const auto own = PatternCommands::toolOf(id))
                button->setState(*own == tool);
        }
        panels_->show(tool);
    });
}

} // namespace quom
