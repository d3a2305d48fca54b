#include "cli/Commands.h"
#include "core/files/PatternFile.h"

#include <charconv>
#include <optional>
#include <ostream>

namespace quom::cli {
namespace {

constexpr std::string_view kUsage
    = "usage: quom import IMAGE -o OUT.pat [--tempo T]   (T: 1..350, default 120)\n";

struct ImportRequest {
    std::string image;
    std::string output;
    int tempo = kDefaultTempo;
};

std::optional<int> parseTempo(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    if (value < kMinTempo || value > kMaxTempo)
        return std::nullopt;
    return value;
}

std::optional<ImportRequest> parse(const Args& args)
{
    ImportRequest request;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "-o" && hasValue && request.output.empty()) {
            request.output = args[++i];
        } else if (a == "--tempo" && hasValue) {
            const auto tempo = parseTempo(args[++i]);
            if (!tempo)
                return std::nullopt;
            request.tempo = *tempo;
        } else if (!a.starts_with('-') && request.image.empty()) {
            request.image = a;
        } else {
            return std::nullopt;
        }
    }
    if (request.image.empty() || request.output.empty())
        return std::nullopt;
    return request;
}

} // namespace

int runImport(const Args& args, std::ostream& out, std::ostream& err, const PictureReaders& pictures)
{
    (void)out;
    const auto request = parse(args);
    if (!request) {
        err << kUsage;
        return kExitUsage;
    }

    if (!pictures.picture)
        return kNeedsPictures;
    const auto cells = pictures.picture(request->image);
    if (!cells && cells.error().kind == ReadFailure::Unreadable) {
        err << "quom import: " << cells.error().message() << ", so it cannot be read\n";
        return kExitFailure;
    }
    if (!cells) {
        err << "quom import: " << request->image << ": not an image Quom can decode\n";
        return kExitFailure;
    }

    PatternFileData pattern;
    pattern.tempo = request->tempo;
    pattern.cells = *cells;
    if (const auto written = writePatternFile(request->output, pattern); !written) {
        err << "quom import: " << written.error << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace quom::cli
