#include "ui/main/RecoveryOffer.h"

#include "core/project/Recovery.h"
#include "core/transport/Transport.h"
#include "ui/controls/FileTexts.h"
#include "ui/controls/UserPrompts.h"
#include "ui/controls/WaitCursor.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <optional>

namespace quom {

namespace {

// Restoring replaces whatever is open: a file opened at start is named, so that neither
// answer loses it without the user knowing.
QString restoreQuestion(const QString& openedFile)
{
    if (openedFile.isEmpty())
        return QCoreApplication::translate("Recovery", "Restore the work that was not saved?");
    return QCoreApplication::translate("Recovery",
        "Quom found work that was not saved when it last ended.\n\n"
        "Yes: restore that work in place of %1 (the file itself stays as it is).\n"
        "No: keep %1 and delete the work that was not saved.")
        .arg(QFileInfo(openedFile).fileName());
}

} // namespace

void offerRecovery(QWidget* parent, UserPrompts& prompts, Recovery& recovery, Project& project,
    Transport& transport, const QString& openedFile)
{
    const QString title = QStringLiteral("Quom: unsaved work");
    // Several Quoms may have ended without saving: each copy is offered in turn, newest
    // first, until one is restored; the rest wait for the next start.
    while (recovery.claimLeftCopy()) {
        if (!prompts.ask(parent, restoreQuestion(openedFile), title)) {
            recovery.discardLeft();
            continue;
        }
        const QString copy = fromUtf8(recovery.leftPath());
        std::optional<ReadResult<std::vector<ReadError>>> restored;
        {
            WaitCursor wait;
            transport.stopAndRewind();
            restored.emplace(recovery.restoreLeft(project));
        }
        if (!*restored)
            prompts.message(parent, kUnableToLoad.arg(copy), title);
        else if (!(*restored)->empty())
            prompts.message(parent, unreadableSamplesText(**restored), title);
        return;
    }
}

} // namespace quom
