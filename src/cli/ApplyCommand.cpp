#include "cli/Commands.h"
#include "core/files/FileType.h"
#include "core/files/PatternFile.h"
#include "core/files/ProjectFile.h"
#include "core/operations/ArgumentText.h"
#include "core/operations/PatternOperations.h"
#include "core/operations/SongText.h"
#include "core/random/Random.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace quom::cli {
namespace {

constexpr std::string_view kSynopsis = "usage: quom apply IN.pat -o OUT.pat [--seed S] OP [OP ...]\n"
                                       "       quom apply IN.qom -o OUT.qom song=P*R,P*R,...\n";
constexpr std::string_view kSongPrefix = "song=";
constexpr std::string_view kColorNote = "  colours as 0xRRGGBB or as decimal colour words 0x00BBGGRR\n";
constexpr std::size_t kUsageWidth = 80;

// The operations' words and grammars in the registry's order, as many to a line as fit.
std::string operationList()
{
    std::string list;
    std::string line = "  OP:";
    for (const OperationInfo& info : patternOperations()) {
        std::string form(info.word);
        if (!info.parameters.empty()) {
            form += '=';
            form += info.parameters;
        }
        if (line.size() + 1 + form.size() > kUsageWidth) {
            list += line + '\n';
            line = "     ";
        }
        line += ' ' + form;
    }
    return list + line + '\n';
}

struct ApplyRequest {
    std::string input;
    std::string output;
    std::optional<std::uint32_t> seed;
    std::vector<PatternOperation> operations;
    std::optional<Song> song; // song=: the project's song becomes it
};

// Fills request from the arguments; on a usage error returns what was wrong.
std::optional<std::string> parseArguments(const Args& args, ApplyRequest& request)
{
    bool haveInput = false;
    bool haveOutput = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-o" || arg == "--seed") {
            if (i + 1 >= args.size())
                return arg + " needs a value";
            const std::string& value = args[++i];
            if (arg == "-o") {
                request.output = value;
                haveOutput = true;
                continue;
            }
            request.seed = parseNumber<std::uint32_t>(value);
            if (!request.seed)
                return "malformed seed '" + value + "'";
        } else if (!haveInput && !arg.empty() && arg.front() != '-') {
            request.input = arg;
            haveInput = true;
        } else if (arg.starts_with(kSongPrefix)) {
            auto song = parseSongText(std::string_view(arg).substr(kSongPrefix.size()));
            if (auto* problem = std::get_if<std::string>(&song))
                return "song=: " + *problem;
            request.song = std::get<Song>(std::move(song));
        } else {
            auto operation = parseOperation(arg);
            if (!operation)
                return "unknown operation or malformed argument '" + arg + "'";
            request.operations.push_back(std::move(*operation));
        }
    }
    if (!haveInput)
        return std::string("no input pattern");
    if (!haveOutput || request.output.empty())
        return std::string("no output pattern (-o OUT.pat)");
    if (request.operations.empty() && !request.song)
        return std::string("no operation");
    return std::nullopt;
}

// A filter file may be a pattern or a picture; a camera frame is always a picture.
GridReader readerFor(const PatternOperation& operation, const PictureReaders& pictures)
{
    return operation.id == OperationId::Filter ? pictures.filter : pictures.picture;
}

bool lacksAReader(std::vector<PatternOperation>& operations, const PictureReaders& pictures)
{
    return std::ranges::any_of(operations, [&](PatternOperation& operation) {
        return gridFromFile(operation) != nullptr && readerFor(operation, pictures) == nullptr;
    });
}

// Reads the grids the operations take from files, in the order they were given.
std::optional<std::string> readGridFiles(
    std::vector<PatternOperation>& operations, const PictureReaders& pictures)
{
    for (PatternOperation& operation : operations) {
        GridFromFile* file = gridFromFile(operation);
        if (file == nullptr)
            continue;
        auto cells = readerFor(operation, pictures)(file->path);
        if (!cells)
            return cells.error().message();
        file->cells = std::make_shared<const Grid>(*cells);
    }
    return std::nullopt;
}

// song= on a project: everything else in the file is written back as it was read.
int applyToProject(const ApplyRequest& request, std::span<const std::uint8_t> bytes, std::ostream& err)
{
    if (!request.operations.empty() || !request.song) {
        err << "quom apply: a project takes song= and no pattern operation\n";
        return kExitUsage;
    }
    auto project = parseProjectFile(bytes, request.input);
    if (!project) {
        err << "quom apply: " << project.error().message() << '\n';
        return kExitFailure;
    }
    project->song = *request.song;
    if (const auto written = writeProjectFile(request.output, *project); !written) {
        err << "quom apply: " << written.error << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace

int runApply(const Args& args, std::ostream& out, std::ostream& err, const PictureReaders& pictures)
{
    (void)out;
    ApplyRequest request;
    // The files are read once the whole command line has parsed, so a usage error always
    // wins over a missing file.
    if (const auto problem = parseArguments(args, request)) {
        err << "quom apply: " << *problem << '\n' << kSynopsis << operationList() << kColorNote;
        return kExitUsage;
    }
    if (lacksAReader(request.operations, pictures))
        return kNeedsPictures;
    if (const auto bytes = readRegularFile(request.input, kProjectFileKind);
        bytes && detectFileType(*bytes) == FileType::Project)
        return applyToProject(request, *bytes, err);
    if (request.song) {
        err << "quom apply: song= needs a project, and " << request.input << " is none\n";
        return kExitFailure;
    }

    auto pattern = readPatternFile(request.input);
    if (!pattern) {
        err << "quom apply: " << pattern.error().message() << '\n';
        return kExitFailure;
    }
    if (const auto problem = readGridFiles(request.operations, pictures)) {
        err << "quom apply: " << *problem << '\n';
        return kExitFailure;
    }

    // Unseeded, the generator starts from the same state as a fresh program.
    seedRandom(request.seed.value_or(1));
    for (const PatternOperation& operation : request.operations)
        applyOperation(operation, pattern->cells);

    if (const auto written = writePatternFile(request.output, *pattern); !written) {
        err << "quom apply: " << written.error << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace quom::cli
