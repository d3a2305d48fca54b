#pragma once

#include <string>

class QString;

namespace quom {

// The application folder: QUOM_HOME when it is set (portable installs, tests), else
// the executable's folder when it is writable, else the per-user data folder.
// The folder is not created here; the name ends with a '/'.
std::string chooseApplicationFolder(const QString& executableFolder);

} // namespace quom
