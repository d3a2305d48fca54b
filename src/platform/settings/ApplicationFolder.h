#pragma once

#include <string>

class QString;

namespace quom {

// The application folder: QUOM_HOME when it is set (portable installs, tests), else
// the executable's folder when it is writable and not installedFolder, else the
// per-user data folder. installedFolder is where an installation puts the executable:
// its files never go there, even where the superuser or a per-user prefix could write.
// The folder is not created here; the name ends with a '/'.
std::string chooseApplicationFolder(const QString& executableFolder, const QString& installedFolder);

} // namespace quom
