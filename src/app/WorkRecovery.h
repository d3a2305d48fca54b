#pragma once

#include "core/project/Recovery.h"

#include <QString>
#include <QTimer>

#include <string>

// Unsaved work kept safe while Quom runs: at start the copies that Quoms now gone left
// are offered back, then the work is copied every interval while it has unsaved
// changes. Saving the work, or discarding it when the window closes, removes the copy;
// work still unsaved when Quom ends (a desktop session that ended without asking)
// stays in it.
namespace quom {

class CQuomDlg;
class Project;
class Transport;
class UserPrompts;

class WorkRecovery {
public:
    WorkRecovery(
        Project& project, Transport& transport, CQuomDlg& window, const std::string& applicationFolder);
    // Removes the copy when nothing is left to lose, else brings it up to date.
    ~WorkRecovery();
    WorkRecovery(const WorkRecovery&) = delete;
    WorkRecovery& operator=(const WorkRecovery&) = delete;

    // Offers the copies that Quoms now gone left, then starts copying. Once Quom runs and the
    // project it starts with is loaded; openedFile names the file it opened (empty
    // for none), which the question says restoring would replace.
    void start(UserPrompts& prompts, const QString& openedFile);

private:
    void keepCopy();

    Project& project_;
    Transport& transport_;
    CQuomDlg& window_;
    Recovery recovery_;
    QTimer timer_;
};

} // namespace quom
