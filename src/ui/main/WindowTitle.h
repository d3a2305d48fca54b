#pragma once

#include <QString>

#include <string>

namespace quom {

// The main window's title: "Quom 1.1  -  CPU load: n%" first, as it always was, then
// the project's file name ("untitled" for none) with " *" while changes are unsaved.
QString mainWindowTitle(double cpuLoad, const std::string& projectPath, bool unsaved);

} // namespace quom
