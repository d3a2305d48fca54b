// Closing the main window: unsaved changes are never lost without a question.
#include "ui/main/QuomDlg.h"

#include "ui/main/CanvasTools.h"

#include <QCloseEvent>
#include <QSessionManager>

namespace quom {

void CQuomDlg::closeEvent(QCloseEvent* event)
{
    if (!settleUnsavedWork()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

bool CQuomDlg::settleUnsavedWork()
{
    // A floating paste is part of the work, as it is for every command.
    tools_->placeFloating();
    if (closesUnattended_ || !project_.hasUnsavedChanges())
        return true;
    const SaveChoice choice = prompts_->askToSave(
        this, tr("Save the changes to the project?"), QStringLiteral("Quom: unsaved changes"));
    switch (choice) {
    case SaveChoice::Save:
        // A save dialog cancelled, or a file that could not be written, keeps Quom open.
        saveProject();
        return !project_.hasUnsavedChanges();
    case SaveChoice::Discard:
        // Nothing is left to lose, so the recovery copy goes too.
        project_.markSaved();
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}

void CQuomDlg::commitSessionData(QSessionManager& manager)
{
    if (!manager.allowsInteraction()) {
        closesUnattended_ = true;
        return;
    }
    if (!settleUnsavedWork())
        manager.cancel();
    manager.release();
}

} // namespace quom
