#include "cli/Commands.h"
#include "cli/PatternSource.h"
#include "core/files/MidiExport.h"

#include <array>
#include <optional>
#include <ostream>

namespace quom::cli {
namespace {

constexpr const char* kUsage
    = "usage: quom midi INPUT -o OUT.mid [--pattern N | --song] [--kit KIT.kit] [--mapping export|rows]\n";

constexpr std::string_view kMappingOption = "--mapping";

std::optional<MidiMapping> parseMapping(std::string_view name)
{
    if (name == "export")
        return MidiMapping::Export;
    if (name == "rows")
        return MidiMapping::Rows;
    return std::nullopt;
}

} // namespace

int runMidi(const Args& args, std::ostream& out, std::ostream& err, const PictureReaders&)
{
    (void)out;
    const std::array extraOptions{kMappingOption};
    const std::array extraFlags{kSongFlag};
    const auto parsed = parsePatternExportArgs(args, extraOptions, extraFlags);
    std::optional<MidiMapping> mapping = MidiMapping::Export;
    if (parsed) {
        const auto given = parsed->extra.find(std::string(kMappingOption));
        if (given != parsed->extra.end())
            mapping = parseMapping(given->second);
    }
    if (!parsed || !mapping) {
        err << kUsage;
        return kExitUsage;
    }
    const auto source
        = loadPatternSource(*parsed, SampleLoading::Skip, FileRate::AsIf44100, "quom midi", err);
    if (!source)
        return kExitFailure;
    const bool song = parsed->flags.contains(std::string(kSongFlag));
    if (song && !exportPasses(*source, *parsed, 1, "quom midi", err))
        return kExitFailure;
    const auto written = song
        ? exportSongMidi(
            parsed->output, source->patterns, source->tempos, source->song, *source->kit, *mapping)
        : exportMidi(parsed->output, source->cells, source->tempo, *source->kit, *mapping);
    if (!written) {
        err << "quom midi: " << written.error << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace quom::cli
