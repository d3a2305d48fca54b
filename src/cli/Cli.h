#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

// The headless sub-commands of the quom executable, for scripts and tests.
// Exit status: 0 success, 1 a file could not be read or written (one line on
// stderr naming it), 2 a usage error.
namespace quom::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

using Args = std::vector<std::string>;
using Command = int (*)(const Args& args, std::ostream& out, std::ostream& err);

// True when the first argument asks for the command line rather than the window.
bool handles(std::string_view firstArgument);

// args[0] is the sub-command (or --help / --version).
int run(const Args& args, std::ostream& out, std::ostream& err);

} // namespace quom::cli
