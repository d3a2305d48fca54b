#pragma once

#include <string>

namespace quom {

// Starts command (a program and its arguments, split where a shell would split them,
// quotes respected, but never through a shell) with one more argument, detached from
// Quom. False when the program cannot be started.
bool startExternalProgram(const std::string& command, const std::string& argument);

} // namespace quom
