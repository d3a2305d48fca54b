#include "ui/main/RecoveryOffer.h"

#include "core/project/Recovery.h"
#include "core/transport/Transport.h"
#include "ui/controls/FileTexts.h"
#include "ui/controls/UserPrompts.h"
#include "ui/controls/WaitCursor.h"

#include <QCoreApplication>

#include <optional>

namespace quom {

void offerRecovery(
    QWidget* parent, UserPrompts& prompts, Recovery& recovery, Project& project, Transport& transport)
{
    if (!recovery.found())
        return;
    const QString title = QStringLiteral("Quom: unsaved work");
    if (!prompts.ask(
            parent, QCoreApplication::translate("Recovery", "Restore the work that was not saved?"), title)) {
        recovery.discard();
        return;
    }
    std::optional<ReadResult<std::vector<ReadError>>> restored;
    {
        WaitCursor wait;
        transport.stopAndRewind();
        restored.emplace(recovery.restore(project));
    }
    if (!*restored) {
        prompts.message(parent, kUnableToLoad.arg(fromUtf8(recovery.path())), title);
        return;
    }
    if (!(*restored)->empty())
        prompts.message(parent, unreadableSamplesText(**restored), title);
}

} // namespace quom
