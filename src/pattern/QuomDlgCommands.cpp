// The commands of the main window that act on playback, the pattern and the history.
#include "pattern/QuomDlg.h"

#include "app/AboutDlg.h"
#include "app/QuomApp.h"
#include "audio/Engine.h"
#include "controls/CBrushButton.h"
#include "controls/CCommandButton.h"
#include "pattern/CanvasTools.h"
#include "pattern/PatternView.h"
#include "pattern/QuomSlider.h"

namespace quom {

void CQuomDlg::repaintCanvas()
{
    view_->update();
}

void CQuomDlg::recordUndo()
{
    undo_.Record(model_.current().snapshot());
}

void CQuomDlg::setTempo(int bpm)
{
    const int clamped = clampTempo(bpm);
    model_.setTempo(model_.currentIndex(), clamped);
    tempo_->setValue(clamped);
}

void CQuomDlg::stopPlayback()
{
    if (!engine_.playing())
        return;
    engine_.setPlaying(false);
    buttons_[CommandId::Play]->setState(false);
    view_->setMarkerColumn(-1);
}

void CQuomDlg::playOrStop()
{
    if (engine_.playing()) {
        stopPlayback();
        return;
    }
    engine_.Reset();
    engine_.setPlaying(true);
    buttons_[CommandId::Play]->setState(true);
}

void CQuomDlg::toggleRecording()
{
    buttons_[CommandId::Record]->setState(app_.ToggleRecording());
}

void CQuomDlg::newProject()
{
    if (app_.settings().confirmationMessages
        && !prompts_->confirm(this, tr("This will erase all the patterns. Do you want to continue?")))
        return;
    model_.ResetProject();
    tempo_->setValue(kDefaultTempo);
    repaintCanvas();
    undo_.Empty();
    tools_->selectTool(Tool::Pencil);
}

void CQuomDlg::clearPattern()
{
    if (app_.settings().confirmationMessages
        && !prompts_->confirm(this, tr("Are you sure you want to clear this pattern?")))
        return;
    model_.current().clear();
    repaintCanvas();
    recordUndo();
}

void CQuomDlg::toggleGrid()
{
    view_->setGridShown(grid_->state());
}

void CQuomDlg::about()
{
    auto* dialog = new AboutDlg(QString::fromStdString(app_.folders().applicationFolder), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void CQuomDlg::undo()
{
    if (const Grid* cells = undo_.Undo())
        model_.current().assign(*cells);
    repaintCanvas();
}

void CQuomDlg::redo()
{
    if (const Grid* cells = undo_.Redo())
        model_.current().assign(*cells);
    repaintCanvas();
}

void CQuomDlg::selectPattern(int slot)
{
    if (model_.SelectPattern(slot))
        repaintCanvas();
}

void CQuomDlg::showError(const QString& format, const QString& path)
{
    prompts_->message(this, format.arg(path), QStringLiteral("Quom"));
}

} // namespace quom
