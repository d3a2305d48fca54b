#include "cli/Commands.h"
#include "cli/PatternSource.h"
#include "core/files/MidiExport.h"

#include <ostream>

namespace quom::cli {

int runMidi(const Args& args, std::ostream& out, std::ostream& err, const PictureReaders&)
{
    (void)out;
    const auto parsed = parsePatternExportArgs(args);
    if (!parsed) {
        err << "usage: quom midi INPUT -o OUT.mid [--pattern N] [--kit KIT.kit]\n";
        return kExitUsage;
    }
    const auto source
        = loadPatternSource(*parsed, SampleLoading::Skip, FileRate::AsIf44100, "quom midi", err);
    if (!source)
        return kExitFailure;
    const auto written = exportMidi(parsed->output, source->cells, source->tempo, *source->kit);
    if (!written) {
        err << "quom midi: " << written.error << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace quom::cli
