#pragma once

class QString;
class QWidget;

// The question at start when a Quom that crashed left a copy of unsaved work.
namespace quom {

class Recovery;
class Project;
class Transport;
class UserPrompts;

// Asks, for each copy a Quom now gone left, whether to restore it: Yes stops the
// transport and makes it the project, still unsaved, and asks no more; No removes it.
// When Quom started with a file (openedFile, else empty) the question says that Yes
// puts the copy in its place and No keeps it. A copy that cannot be read, and samples of its kit that cannot,
// are said in messages.
void offerRecovery(QWidget* parent, UserPrompts& prompts, Recovery& recovery, Project& project,
    Transport& transport, const QString& openedFile);

} // namespace quom
