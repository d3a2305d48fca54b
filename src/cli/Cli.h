#pragma once

#include "core/io/ReadResult.h"
#include "core/model/Cell.h"

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

// Returned by run when the sub-command needs a picture reader that was not passed in,
// before anything was read, written or printed: the caller hands the command line on to
// the program that has the readers.
constexpr int kNeedsPictures = -1;

using Args = std::vector<std::string>;

// Pictures are decoded by Qt's image readers. The quom executable links no Qt, so that
// a sub-command starts in a millisecond or two; the window program, which loads Qt
// anyway, passes the readers in and runs the sub-commands that need them.
using GridReader = ReadResult<Grid> (*)(const std::string& path);
struct PictureReaders {
    GridReader picture = nullptr; // a picture imported as a pattern
    GridReader filter = nullptr; // a filter file: a pattern file or a picture
};

using Command
    = int (*)(const Args& args, std::ostream& out, std::ostream& err, const PictureReaders& pictures);

// True when the first argument asks for the command line rather than the window.
bool handles(std::string_view firstArgument);

// args[0] is the sub-command (or --help / --version).
int run(const Args& args, std::ostream& out, std::ostream& err, const PictureReaders& pictures = {});

} // namespace quom::cli
