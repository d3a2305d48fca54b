#include "cli/PatternSource.h"

#include "core/files/FileType.h"
#include "core/files/ProjectFile.h"
#include "core/io/Bytes.h"
#include "core/io/XmlReader.h"
#include "core/project/Project.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <ostream>

namespace quom::cli {
namespace {

// A whole number too large for an int is still a number, so it is kept as an
// out-of-range value (refused later with the file named) rather than a usage error.
std::optional<int> parseInt(const std::string& text)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size())
        return std::nullopt;
    if (ec == std::errc::result_out_of_range)
        return text.starts_with('-') ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    if (ec != std::errc{})
        return std::nullopt;
    return value;
}

void warnAboutSample(std::string_view command, const ReadError& error, std::ostream& err)
{
    err << command << ": warning: " << error.path << ": cannot read the sample: " << error.detail << '\n';
}

// Through the project reader the window uses. A kit named on the command line stands
// in for the project's, whose samples are then not read.
bool readInputInto(PatternSource& source, const PatternExportArgs& args, std::span<const std::uint8_t> bytes,
    FileType type, SampleLoading samples, FileRate rate, std::string_view command, std::ostream& err)
{
    Project project;
    project.setFileRate(rate);
    const int slot = args.pattern - 1;
    if (type == FileType::Pattern) {
        const auto pattern = project.loadPattern(bytes, args.input);
        if (!pattern) {
            err << command << ": " << pattern.error().message() << '\n';
            return false;
        }
        source.cells = pattern->cells;
        source.tempo = pattern->tempo;
        return true;
    }
    const auto loaded
        = project.loadProject(bytes, args.input, args.kitPath.empty() ? samples : SampleLoading::Skip);
    if (!loaded) {
        err << command << ": " << loaded.error().message() << '\n';
        return false;
    }
    source.cells = project.model().slot(slot);
    source.tempo = project.model().tempo(slot);
    source.kit = project.kit();
    source.project = true;
    for (int i = 0; i < kPatternSlots; ++i) {
        source.patterns[static_cast<std::size_t>(i)] = project.model().slot(i);
        source.tempos[static_cast<std::size_t>(i)] = project.model().tempo(i);
    }
    source.song = project.song();
    for (const auto& sample : *loaded)
        warnAboutSample(command, sample, err);
    return true;
}

// Into the new, empty kit of a source. A file that is not a kit by its content is
// refused rather than read as a kit with nothing in it.
bool loadKitInto(PatternSource& source, const std::string& path, SampleLoading samples, FileRate rate,
    std::string_view command, std::ostream& err)
{
    auto kit = std::make_shared<CKit>();
    const auto bytes = readRegularFile(path, kKitFileKind);
    if (!bytes) {
        err << command << ": " << bytes.error().message() << '\n';
        return false;
    }
    if (detectFileType(*bytes) != FileType::Kit) {
        err << command << ": " << path << ": not a Quom kit file\n";
        return false;
    }
    const auto loaded = kit->Load(path, rate);
    if (!loaded.opened) {
        err << command << ": " << loaded.kitError.message() << '\n';
        return false;
    }
    if (samples == SampleLoading::Load) {
        for (const auto& sample : loaded.failedSamples)
            warnAboutSample(command, sample, err);
    }
    source.kit = std::move(kit);
    return true;
}

} // namespace

std::optional<PatternExportArgs> parsePatternExportArgs(const Args& args,
    std::span<const std::string_view> extraOptions, std::span<const std::string_view> extraFlags)
{
    PatternExportArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool takesValue = a == "-o" || a == "--pattern" || a == "--kit"
            || std::find(extraOptions.begin(), extraOptions.end(), a) != extraOptions.end();
        if (takesValue) {
            if (i + 1 == args.size())
                return std::nullopt;
            const std::string& value = args[++i];
            if (a == "-o") {
                parsed.output = value;
            } else if (a == "--kit") {
                parsed.kitPath = value;
            } else if (a == "--pattern") {
                const auto number = parseInt(value);
                if (!number)
                    return std::nullopt;
                parsed.pattern = *number;
            } else {
                parsed.extra[a] = value;
            }
        } else if (std::find(extraFlags.begin(), extraFlags.end(), a) != extraFlags.end()) {
            parsed.flags.insert(a);
        } else if (a.starts_with("-") || !parsed.input.empty()) {
            return std::nullopt;
        } else {
            parsed.input = a;
        }
    }
    if (parsed.input.empty() || parsed.output.empty())
        return std::nullopt;
    return parsed;
}

std::optional<PatternSource> loadPatternSource(const PatternExportArgs& args, SampleLoading samples,
    FileRate rate, std::string_view command, std::ostream& err)
{
    if (args.pattern < 1 || args.pattern > kPatternSlots) {
        err << command << ": " << args.input << ": pattern number " << args.pattern << " is outside 1.."
            << kPatternSlots << '\n';
        return std::nullopt;
    }
    const auto bytes = readRegularFile(args.input, {"a project or a pattern", kProjectFileKind.largest});
    if (!bytes) {
        err << command << ": " << bytes.error().message() << '\n';
        return std::nullopt;
    }

    PatternSource source;
    const FileType type = detectFileType(*bytes);
    if (type != FileType::Project && type != FileType::Pattern) {
        err << command << ": " << args.input << ": not a Quom project or pattern file\n";
        return std::nullopt;
    }
    if (!readInputInto(source, args, *bytes, type, samples, rate, command, err))
        return std::nullopt;
    if (!args.kitPath.empty() && !loadKitInto(source, args.kitPath, samples, rate, command, err))
        return std::nullopt;
    return source;
}

std::optional<ExportPasses> exportPasses(const PatternSource& source, const PatternExportArgs& args,
    int passes, std::string_view command, std::ostream& err)
{
    if (!args.flags.contains(std::string(kSongFlag)))
        return ExportPasses{std::span(&source.cells, 1), patternPasses(0, source.tempo, passes)};
    if (source.song.empty()) {
        err << command << ": " << args.input << ": "
            << (source.project ? "the project has no song" : "a pattern file holds no song") << '\n';
        return std::nullopt;
    }
    return ExportPasses{source.patterns, songPasses(source.song, source.tempos, passes)};
}

} // namespace quom::cli
