// The commands of the main window that need the user or change what it shows.
#include "ui/main/QuomDlg.h"

#include "core/kit/FileRate.h"
#include "core/settings/AppFolders.h"
#include "core/settings/Settings.h"
#include "platform/audio/AudioOutput.h"
#include "platform/midi/AlsaMidiOut.h"
#include "platform/midi/MidiInput.h"
#include "ui/about/AboutDlg.h"
#include "ui/controls/CBrushButton.h"
#include "ui/controls/CCommandButton.h"
#include "ui/controls/FileTexts.h"
#include "ui/controls/WaitCursor.h"
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
    if (transport_.playing())
        transport_.stop();
    else
        transport_.play();
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
    project_.newProject();
    tools_->selectTool(Tool::Pencil);
}

void CQuomDlg::clearPattern()
{
    if (settings_.confirmationMessages
        && !prompts_->confirm(this, tr("Are you sure you want to clear this pattern?")))
        return;
    project_.apply({OperationId::Clear, {}});
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
    RandomDlg dialog(generators_.random, this);
    if (dialog.exec() == QDialog::Accepted)
        project_.apply({OperationId::Random, generators_.random});
}

void CQuomDlg::openKitEditor()
{
    transport_.stopAndRewind();
    CKitDlg editor({project_, transport_, settings_, folders_, *prompts_, availableRoom()}, this);
    editor.exec();
}

void CQuomDlg::choosePattern()
{
    project_.storeCurrentPattern();
    CPatternsDlg chooser(project_.model(), this);
    if (chooser.exec() == QDialog::Accepted)
        transport_.switchPattern(chooser.highlighted());
}

void CQuomDlg::openSettings()
{
    CSettingsDlg::Choices choices{midi_ ? midi_->portNames() : std::vector<std::string>{},
        output_.outputDeviceNames(), midiOutDestinations()};
    CSettingsDlg settings(settings_, choices, *prompts_, this);
    // The channel, the controllers, the editor, the confirmations and the sync source are
    // read where they are used; the interpolation, the MIDI out mapping and own sound reach
    // the engine, MIDI out its port and clock, the samples' rates the project and the zoom
    // the window here; the MIDI IN port, the device and the default kit wait for the next
    // start.
    if (settings.exec() != QDialog::Accepted)
        return;
    transport_.applySettings(settings_);
    applyMidiOut();
    applyZoom();
    std::vector<ReadError> unreadable;
    {
        WaitCursor wait;
        unreadable = project_.setFileRate(fileRateOf(settings_));
    }
    showUnreadableSamples(unreadable);
}

void CQuomDlg::mutateColours()
{
    MutateDlg(project_, this).exec();
}

void CQuomDlg::colourCurves()
{
    ColorCurvesDlg(project_, this).exec();
}

void CQuomDlg::offsetColours()
{
    CColorsDlg(project_, this).exec();
}

void CQuomDlg::waveSequence()
{
    WaveSeqDlg(project_, generators_.wave, this).exec();
}

void CQuomDlg::applyFilterCommand()
{
    FilterDlg(project_, generators_.filter, folders_.filtersFolder, *prompts_, this).exec();
}

void CQuomDlg::webcamCapture()
{
    VideoDlg(project_, generators_.camera, settings_, *prompts_, this).exec();
}

void CQuomDlg::editCellColor(QPoint cell)
{
    CCellDlg dialog(project_, transport_, cell.y(), project_.model().current().at(cell.x(), cell.y()), this);
    dialog.exec();
    project_.setCellColor(cell.x(), cell.y(), dialog.newColor());
}

void CQuomDlg::showError(const QString& format, const QString& path)
{
    prompts_->message(this, format.arg(path), QStringLiteral("Quom"));
}

} // namespace quom
