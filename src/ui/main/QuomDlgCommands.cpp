// The commands of the main window that need the user or change what it shows.
#include "ui/main/QuomDlg.h"

#include "core/settings/AppFolders.h"
#include "core/settings/Settings.h"
#include "platform/audio/AudioOutput.h"
#include "platform/midi/MidiInput.h"
#include "ui/about/AboutDlg.h"
#include "ui/controls/CBrushButton.h"
#include "ui/controls/CCommandButton.h"
#include "ui/controls/FileTexts.h"
#include "ui/generators/CCellDlg.h"
#include "ui/generators/CColorsDlg.h"
#include "ui/generators/ColorCurvesDlg.h"
#include "ui/generators/FilterDlg.h"
#include "ui/generators/MutateDlg.h"
#include "ui/generators/RandomDlg.h"
#include "ui/generators/VideoDlg.h"
#include "ui/generators/WaveSeqDlg.h"
#include "ui/kit/CKitDlg.h"
#include "ui/main/CanvasTools.h"
#include "ui/main/PatternView.h"
#include "ui/main/StatusNotices.h"
#include "ui/patterns/CPatternsDlg.h"
#include "ui/settings/CSettingsDlg.h"

#include <QFileInfo>

namespace quom {

void CQuomDlg::playOrStop()
{
    if (session_.playing())
        session_.stop();
    else
        session_.play();
}

void CQuomDlg::toggleRecording()
{
    const bool recording = output_.ToggleRecording(folders_.outputFolder);
    buttons_[CommandId::Record]->setState(recording);
    const auto report = output_.takeRecordingReport();
    if (recording)
        recordingNotice_ = recordingNotice(output_.recordingPath());
    else if (report)
        recordingNotice_ = recordedNotice(*report);
    else // only an ended recording reports: a start failed
        recordingNotice_ = recordingRefusedNotice(output_.recordingPath());
    showNotices();
    if (!report || *report)
        return;
    const QString name = QFileInfo(fromUtf8(report->path)).fileName();
    const QString why = report->error.empty() ? tr("The disk did not keep up.") : fromUtf8(report->error);
    if (report->lostFrames == 0)
        prompts_->message(
            this, tr("The recording %1 could not be finished:\n%2").arg(name, why), QStringLiteral("Quom"));
    else
        prompts_->message(this,
            tr("The recording %1 lost %2 seconds of sound.\n%3")
                .arg(name)
                .arg(report->lostSeconds(), 0, 'f', 1)
                .arg(why),
            QStringLiteral("Quom"));
}

void CQuomDlg::newProject()
{
    if (settings_.confirmationMessages
        && !prompts_->confirm(this, tr("This will erase all the patterns. Do you want to continue?")))
        return;
    tools_->resetState();
    session_.newProject();
    tools_->selectTool(Tool::Pencil);
}

void CQuomDlg::clearPattern()
{
    if (settings_.confirmationMessages
        && !prompts_->confirm(this, tr("Are you sure you want to clear this pattern?")))
        return;
    session_.clearPattern();
}

void CQuomDlg::toggleGrid()
{
    view_->setGridShown(grid_->state());
}

void CQuomDlg::about()
{
    auto* dialog = new AboutDlg(QString::fromStdString(folders_.applicationFolder), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void CQuomDlg::paste()
{
    tools_->startFloating(false);
}

void CQuomDlg::mix()
{
    tools_->startFloating(true);
}

void CQuomDlg::randomPattern()
{
    RandomDlg dialog(session_.generatorSettings().random, this);
    if (dialog.exec() == QDialog::Accepted)
        session_.randomPattern();
}

void CQuomDlg::openKitEditor()
{
    session_.stopAndRewind();
    CKitDlg editor(
        {session_, settings_, folders_, *prompts_, QSize(geometry_.cellWidth(), geometry_.cellHeight())},
        this);
    editor.exec();
}

void CQuomDlg::choosePattern()
{
    session_.storeCurrentPattern();
    CPatternsDlg chooser(session_.model(), this);
    if (chooser.exec() == QDialog::Accepted)
        session_.selectPattern(chooser.highlighted());
}

void CQuomDlg::openSettings()
{
    CSettingsDlg::Choices choices{
        midi_ ? midi_->portNames() : std::vector<std::string>{}, output_.outputDeviceNames()};
    CSettingsDlg settings(settings_, choices, *prompts_, this);
    // The channel, the controllers, the editor and the confirmations are read where they
    // are used; the interpolation reaches the engine here; the ports, the device and the
    // default kit wait for the next start.
    if (settings.exec() == QDialog::Accepted)
        session_.setInterpolation(settings_.interpolation);
}

void CQuomDlg::mutateColours()
{
    MutateDlg(session_, this).exec();
}

void CQuomDlg::colourCurves()
{
    ColorCurvesDlg(session_, this).exec();
}

void CQuomDlg::offsetColours()
{
    CColorsDlg(session_, this).exec();
}

void CQuomDlg::waveSequence()
{
    WaveSeqDlg(session_, this).exec();
}

void CQuomDlg::applyFilterCommand()
{
    FilterDlg(session_, folders_.filtersFolder, *prompts_, this).exec();
}

void CQuomDlg::webcamCapture()
{
    VideoDlg(session_, settings_, *prompts_, this).exec();
}

void CQuomDlg::editCellColor(QPoint cell)
{
    CCellDlg dialog(session_, cell.y(), session_.model().current().at(cell.x(), cell.y()), this);
    dialog.exec();
    session_.setCellColor(cell.x(), cell.y(), dialog.newColor());
}

void CQuomDlg::showError(const QString& format, const QString& path)
{
    prompts_->message(this, format.arg(path), QStringLiteral("Quom"));
}

} // namespace quom
