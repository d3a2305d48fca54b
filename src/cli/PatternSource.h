#pragma once

#include "cli/Cli.h"
#include "core/kit/Kit.h"
#include "core/model/Cell.h"
#include "core/model/Song.h"
#include "core/model/SongPasses.h"
#include "core/project/Project.h"

#include <array>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>

// What the exporting sub-commands share: INPUT -o OUT [--pattern N] [--kit KIT.kit],
// and the one pattern, tempo and kit those name.
namespace quom::cli {

struct PatternExportArgs {
    std::string input;
    std::string output;
    int pattern = 1; // as given: 1..16 is checked when the input is read
    std::string kitPath; // empty: the project's kit, or an empty kit for a pattern file
    std::map<std::string, std::string> extra; // the command's own value options
    std::set<std::string> flags; // the command's own options without a value
};

// Nothing when the arguments are malformed (the caller prints its usage, exit 2).
// extraOptions names further options that take a value, such as "--interpolation";
// extraFlags those that take none, such as "--own-rate".
std::optional<PatternExportArgs> parsePatternExportArgs(const Args& args,
    std::span<const std::string_view> extraOptions = {}, std::span<const std::string_view> extraFlags = {});

struct PatternSource {
    Grid cells{};
    std::int32_t tempo = kDefaultTempo; // as stored in the input; clamp it before use
    std::shared_ptr<const CKit> kit = std::make_shared<const CKit>();
    // A project's: all its patterns and tempos, and its song; a pattern file's: none.
    bool project = false;
    std::array<Grid, kPatternSlots> patterns{};
    std::array<std::int32_t, kPatternSlots> tempos{};
    Song song;
};

// Reads the input (a project or a pattern file, told apart by content) and the kit, the
// samples taking their files' rates as rate says. On failure prints one line naming the
// file to err, prefixed by command, and returns nothing; a sample that cannot be read is
// a warning line with its reason.
std::optional<PatternSource> loadPatternSource(const PatternExportArgs& args, SampleLoading samples,
    FileRate rate, std::string_view command, std::ostream& err);

// The flag of the commands that export the project's song in place of one pattern.
inline constexpr std::string_view kSongFlag = "--song";

// What a command exports: passes of the patterns, each naming one of them.
struct ExportPasses {
    std::span<const Grid> patterns;
    LoopPasses passes;
};

// The song, passes times over, with --song; else the pattern passes times. A song asked
// of a pattern file or of a project without one is refused with a line naming the
// input. The patterns are source's, which must outlive the result.
std::optional<ExportPasses> exportPasses(const PatternSource& source, const PatternExportArgs& args,
    int passes, std::string_view command, std::ostream& err);

} // namespace quom::cli
