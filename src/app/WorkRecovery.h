#pragma once

#include "core/project/Recovery.h"

#include <QTimer>

#include <string>

// Unsaved work kept safe while Quom runs: at start the copy a crash left is offered
// back, then the work is copied every interval while it has unsaved changes; saving it
// or ending Quom normally removes the copy.
namespace quom {

class CQuomDlg;
class Project;
class Transport;
class UserPrompts;

class WorkRecovery {
public:
    WorkRecovery(
        Project& project, Transport& transport, CQuomDlg& window, const std::string& applicationFolder);
    // A normal exit: nothing is left to recover.
    ~WorkRecovery();
    WorkRecovery(const WorkRecovery&) = delete;
    WorkRecovery& operator=(const WorkRecovery&) = delete;

    // Offers the copy a crash left, then starts copying. Once Quom runs and the
    // project it starts with is loaded.
    void start(UserPrompts& prompts);

private:
    void keepCopy();

    Project& project_;
    Transport& transport_;
    CQuomDlg& window_;
    Recovery recovery_;
    QTimer timer_;
};

} // namespace quom
