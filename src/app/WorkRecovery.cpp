#include "app/WorkRecovery.h"

#include "core/project/Project.h"
#include "ui/controls/FileTexts.h"
#include "ui/main/QuomDlg.h"
#include "ui/main/RecoveryOffer.h"

#include <chrono>

namespace quom {

namespace {

// QUOM_RECOVERY_SECONDS lets a test see a copy without waiting half a minute.
std::chrono::seconds copyInterval()
{
    bool given = false;
    const int seconds = qEnvironmentVariableIntValue("QUOM_RECOVERY_SECONDS", &given);
    return std::chrono::seconds(given && seconds > 0 ? seconds : 30);
}

} // namespace

WorkRecovery::WorkRecovery(
    Project& project, Transport& transport, CQuomDlg& window, const std::string& applicationFolder)
    : project_(project)
    , transport_(transport)
    , window_(window)
    , recovery_(applicationFolder)
{
    timer_.setInterval(copyInterval());
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { keepCopy(); });
}

WorkRecovery::~WorkRecovery()
{
    project_.setSavedHook({});
    if (project_.hasUnsavedChanges())
        recovery_.update(project_);
    else
        recovery_.discard();
}

void WorkRecovery::start(UserPrompts& prompts, const QString& openedFile)
{
    offerRecovery(&window_, prompts, recovery_, project_, transport_, openedFile);
    project_.setSavedHook([this] { recovery_.discard(); });
    timer_.start();
}

void WorkRecovery::keepCopy()
{
    recovery_.update(project_);
    if (const auto failure = recovery_.takeFailure())
        window_.showStatusText(QObject::tr("Unsaved work not copied: %1").arg(fromUtf8(*failure)));
}

} // namespace quom
