#pragma once

#include <string>

namespace quom {

// Starts command with one more argument, detached from Quom and never through a shell.
// A command that names an existing program file is that program, spaces and quotes
// included ("/home/me/my tools/editor"); any other is a program and its arguments, split
// at white space outside double quotes. False when the program cannot be started.
bool startExternalProgram(const std::string& command, const std::string& argument);

} // namespace quom
