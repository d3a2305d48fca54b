#include "cli/Commands.h"
#include "cli/PatternSource.h"
#include "core/audio/StemRender.h"
#include "core/audio/Volume.h"
#include "core/audio/WaveExport.h"
#include "core/io/WaveWriter.h"
#include "core/transport/Exports.h"

#include <array>
#include <charconv>
#include <filesystem>
#include <limits>
#include <optional>
#include <ostream>

namespace quom::cli {
namespace {

constexpr const char* kUsage
    = "usage: quom render INPUT -o OUT.wav [--pattern N | --song] [--passes N] [--kit KIT.kit] "
      "[--interpolation truncate|linear|quadratic] [--own-rate] [--stems FOLDER [--stem-format 16|float] "
      "[--stem-groups rows|blocks]]\n";

constexpr std::string_view kInterpolationOption = "--interpolation";
constexpr std::string_view kPassesOption = "--passes";
constexpr std::string_view kStemsOption = "--stems";
constexpr std::string_view kStemFormatOption = "--stem-format";
constexpr std::string_view kStemGroupsOption = "--stem-groups";
// The setting "Play samples at their own rate" for this render.
constexpr std::string_view kOwnRateFlag = "--own-rate";

constexpr int kMaxPasses = 99;

template <typename Value, std::size_t N>
std::optional<Value> lookUp(
    const std::array<std::pair<std::string_view, Value>, N>& names, std::string_view name)
{
    for (const auto& [text, value] : names) {
        if (text == name)
            return value;
    }
    return std::nullopt;
}

std::optional<int> parsePasses(std::string_view text)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < 1 || value > kMaxPasses)
        return std::nullopt;
    return value;
}

struct RenderOptions {
    Interpolation interpolation = Interpolation::Linear;
    int passes = 1;
    std::string stems; // empty: none
    StemFormat stemFormat = StemFormat::Pcm16;
    StemGrouping stemGrouping = StemGrouping::Rows;
};

// Nothing when a value is not one of the option's.
std::optional<RenderOptions> renderOptions(const PatternExportArgs& args)
{
    constexpr std::array<std::pair<std::string_view, Interpolation>, 3> kModes{{
        {"truncate", Interpolation::Truncate},
        {"linear", Interpolation::Linear},
        {"quadratic", Interpolation::Quadratic},
    }};
    constexpr std::array<std::pair<std::string_view, StemFormat>, 2> kFormats{{
        {"16", StemFormat::Pcm16},
        {"float", StemFormat::Float},
    }};
    constexpr std::array<std::pair<std::string_view, StemGrouping>, 2> kGroupings{{
        {"rows", StemGrouping::Rows},
        {"blocks", StemGrouping::Blocks},
    }};
    RenderOptions options;
    bool valid = true;
    const auto given = [&](std::string_view option, auto parse, auto& into) {
        const auto it = args.extra.find(std::string(option));
        if (it == args.extra.end())
            return;
        const auto value = parse(it->second);
        valid = valid && value.has_value();
        if (value)
            into = *value;
    };
    given(
        kInterpolationOption, [&](std::string_view v) { return lookUp(kModes, v); }, options.interpolation);
    given(kPassesOption, parsePasses, options.passes);
    given(
        kStemsOption,
        [](std::string_view v) { return v.empty() ? std::nullopt : std::optional<std::string>(v); },
        options.stems);
    given(
        kStemFormatOption, [&](std::string_view v) { return lookUp(kFormats, v); }, options.stemFormat);
    given(
        kStemGroupsOption, [&](std::string_view v) { return lookUp(kGroupings, v); }, options.stemGrouping);
    const bool stemChoiceAlone = options.stems.empty()
        && (args.extra.contains(std::string(kStemFormatOption))
            || args.extra.contains(std::string(kStemGroupsOption)));
    if (!valid || stemChoiceAlone)
        return std::nullopt;
    return options;
}

} // namespace

int runRender(const Args& args, std::ostream& out, std::ostream& err, const PictureReaders&)
{
    (void)out;
    const std::array extraOptions{
        kInterpolationOption, kPassesOption, kStemsOption, kStemFormatOption, kStemGroupsOption};
    const std::array extraFlags{kOwnRateFlag, kSongFlag};
    const auto parsed = parsePatternExportArgs(args, extraOptions, extraFlags);
    const auto options = parsed ? renderOptions(*parsed) : std::nullopt;
    if (!options) {
        err << kUsage;
        return kExitUsage;
    }
    const FileRate rate
        = parsed->flags.contains(std::string(kOwnRateFlag)) ? FileRate::Own : FileRate::AsIf44100;
    const auto source = loadPatternSource(*parsed, SampleLoading::Load, rate, "quom render", err);
    if (!source)
        return kExitFailure;
    const auto toRender = exportPasses(*source, *parsed, options->passes, "quom render", err);
    if (!toRender)
        return kExitFailure;
    const std::uint64_t frames = loopFrames(toRender->passes);
    if (!fitsWaveFile(frames) || (!options->stems.empty() && !fitsWaveFile(frames, options->stemFormat))) {
        err << "quom render: " << parsed->input << ": the render would last longer than a wave file holds\n";
        return kExitFailure;
    }

    const LoopSettings settings{
        static_cast<std::uint8_t>(options->interpolation), volumeGain(kDefaultVolume)};
    auto buffer = renderLoop(toRender->patterns, toRender->passes, source->kit, settings);
    WaveOptions mixOptions;
    if (!options->stems.empty()) {
        std::error_code error;
        std::filesystem::create_directories(options->stems, error);
        if (error) {
            err << "quom render: " << options->stems << ": cannot make the folder: " << error.message()
                << '\n';
            return kExitFailure;
        }
        const StemsWritten stems = writeStems(options->stems, toRender->patterns, toRender->passes,
            source->kit, settings, options->stemGrouping, options->stemFormat, buffer);
        if (!stems.result) {
            err << "quom render: " << stems.result.error << '\n';
            return kExitFailure;
        }
        if (options->stemFormat == StemFormat::Pcm16)
            mixOptions.sharedPeak = stems.mixPeak;
    }
    const WriteResult written = WriteWave16(parsed->output, buffer, 2, mixOptions);
    if (!written) {
        err << "quom render: " << written.error << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace quom::cli
