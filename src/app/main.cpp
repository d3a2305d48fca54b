#include "cli/Cli.h"
#include "core/io/WriteSignals.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include <unistd.h>

// quom: the sub-commands, and the launcher of the window program. Linking neither Qt nor
// a device library, a sub-command starts in about a millisecond instead of the tens of
// milliseconds the window's libraries take to load. The window, and the sub-commands that
// decode pictures, run in quom-window, which this process becomes (same process id).
namespace {

namespace fs = std::filesystem;

fs::path windowProgram()
{
    std::error_code error;
    const fs::path folder = fs::read_symlink("/proc/self/exe", error).parent_path();
    // Beside quom in a build folder or a portable copy; under libexec when installed.
    fs::path beside = folder / "quom-window";
    if (fs::exists(beside, error))
        return beside;
    return (folder / QUOM_WINDOW_FROM_BINDIR).lexically_normal();
}

int becomeWindowProgram(char** argv)
{
    const fs::path program = windowProgram();
    execv(program.c_str(), argv);
    std::cerr << "quom: cannot start " << program.string() << ": " << std::strerror(errno) << '\n';
    return quom::cli::kExitFailure;
}

// A first argument that is neither an option for the window nor an existing file is taken
// for a mistyped sub-command.
bool opensInTheWindow(const std::string& argument)
{
    std::error_code error;
    return argument.starts_with('-') || fs::exists(argument, error);
}

} // namespace

int main(int argc, char** argv)
{
    quom::ignoreWriteSignals();
    if (argc > 1 && (quom::cli::handles(argv[1]) || !opensInTheWindow(argv[1]))) {
        const int status = quom::cli::run(quom::cli::Args(argv + 1, argv + argc), std::cout, std::cerr);
        if (status != quom::cli::kNeedsPictures)
            return status;
        std::cout.flush();
    }
    return becomeWindowProgram(argv);
}
