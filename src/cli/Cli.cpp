#include "cli/Cli.h"

#include "cli/Commands.h"

#include <array>
#include <new>
#include <ostream>

namespace quom::cli {
namespace {

struct SubCommand {
    std::string_view name;
    Command run;
    std::string_view usage;
};

constexpr std::array kCommands{
    SubCommand{"apply", runApply,
        "apply IN.pat -o OUT.pat [--seed S] OP [OP ...]   transform or generate a pattern"
        "\n        apply IN.qom -o OUT.qom song=P*R,...   set a project's song (song= clears it)"},
    SubCommand{"import", runImport,
        "import IMAGE -o OUT.pat [--tempo T]   turn a picture into a pattern (tempo 1..350, default 120)"},
    SubCommand{
        "info", runInfo, "info FILE --json [--samples]   describe a sample, kit, project or pattern file"},
    SubCommand{"midi", runMidi,
        "midi INPUT -o OUT.mid [--pattern N | --song] [--kit KIT.kit] [--mapping export|rows]   export a\n"
        "        project's or pattern file's pattern, or the project's song, as MIDI; --mapping rows gives\n"
        "        each row its own note and channel"},
    SubCommand{"render", runRender,
        "render INPUT -o OUT.wav [--pattern N | --song] [--passes P] [--kit KIT.kit]\n"
        "        [--interpolation truncate|linear|quadratic] [--own-rate]\n"
        "        [--stems FOLDER [--stem-format 16|float] [--stem-groups rows|blocks]]   render passes of a\n"
        "        pattern (one: as the Export command does) or the project's song; --own-rate plays samples\n"
        "        at their files' own rates; --stems also writes one wave per row, or 16-row block, that "
        "plays"},
    SubCommand{"slice", runSlice,
        "slice IN.wav -o FOLDER [--kit OUT.kit] [--own-rate]   cut a sample file into 64 slices, one per "
        "kit\n"
        "        slot"},
};

void printHelp(std::ostream& out)
{
    out << "Usage: quom [FILE]              open the window (and load FILE)\n"
           "       quom SUB-COMMAND ...     run headless\n\n"
           "Sub-commands:\n";
    for (const auto& c : kCommands)
        out << "  quom " << c.usage << '\n';
    out << "\n  quom --help | --version\n";
}

} // namespace

bool handles(std::string_view firstArgument)
{
    if (firstArgument == "--help" || firstArgument == "-h" || firstArgument == "--version")
        return true;
    for (const auto& c : kCommands) {
        if (c.name == firstArgument)
            return true;
    }
    return false;
}

int run(const Args& args, std::ostream& out, std::ostream& err, const PictureReaders& pictures)
{
    if (args.empty()) {
        printHelp(err);
        return kExitUsage;
    }
    const std::string& name = args.front();
    if (name == "--help" || name == "-h") {
        printHelp(out);
        return kExitOk;
    }
    if (name == "--version") {
        out << "Quom " << QUOM_VERSION << '\n';
        return kExitOk;
    }
    for (const auto& c : kCommands) {
        if (c.name != name)
            continue;
        try {
            return c.run(Args(args.begin() + 1, args.end()), out, err, pictures);
        } catch (const std::bad_alloc&) {
            // A hostile file can ask for more memory than there is: a failure, not a crash.
            err << "quom " << name << ": not enough memory\n";
            return kExitFailure;
        }
    }
    err << "quom: '" << name << "' is neither a sub-command nor a file (see quom --help)\n";
    return kExitUsage;
}

} // namespace quom::cli
