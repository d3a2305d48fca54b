#include "cli/Commands.h"
#include "cli/PatternSource.h"
#include "core/audio/Volume.h"
#include "core/audio/WaveExport.h"
#include "core/io/WaveWriter.h"

#include <array>
#include <optional>
#include <ostream>

namespace quom::cli {
namespace {

constexpr const char* kUsage = "usage: quom render INPUT -o OUT.wav [--pattern N] [--kit KIT.kit] "
                               "[--interpolation truncate|linear|quadratic] [--own-rate]\n";

constexpr std::string_view kInterpolationOption = "--interpolation";
// The setting "Play samples at their own rate" for this render.
constexpr std::string_view kOwnRateFlag = "--own-rate";

std::optional<Interpolation> parseInterpolation(std::string_view name)
{
    constexpr std::array<std::pair<std::string_view, Interpolation>, 3> kModes{{
        {"truncate", Interpolation::Truncate},
        {"linear", Interpolation::Linear},
        {"quadratic", Interpolation::Quadratic},
    }};
    for (const auto& [text, mode] : kModes) {
        if (text == name)
            return mode;
    }
    return std::nullopt;
}

} // namespace

int runRender(const Args& args, std::ostream& out, std::ostream& err, const PictureReaders&)
{
    (void)out;
    const std::array extraOptions{kInterpolationOption};
    const std::array extraFlags{kOwnRateFlag};
    const auto parsed = parsePatternExportArgs(args, extraOptions, extraFlags);
    std::optional<Interpolation> mode = Interpolation::Linear;
    if (parsed) {
        const auto given = parsed->extra.find(std::string(kInterpolationOption));
        if (given != parsed->extra.end())
            mode = parseInterpolation(given->second);
    }
    if (!parsed || !mode) {
        err << kUsage;
        return kExitUsage;
    }
    const FileRate rate
        = parsed->flags.contains(std::string(kOwnRateFlag)) ? FileRate::Own : FileRate::AsIf44100;
    auto source = loadPatternSource(*parsed, SampleLoading::Load, rate, "quom render", err);
    if (!source)
        return kExitFailure;

    auto buffer = renderPass(source->cells, source->kit,
        {source->tempo, static_cast<std::uint8_t>(*mode), volumeGain(kDefaultVolume)});
    const WriteResult written = WriteWave16(parsed->output, buffer, 2);
    if (!written) {
        err << "quom render: " << written.error << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace quom::cli
