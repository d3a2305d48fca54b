#include "cli/Commands.h"
#include "core/edit/Drum.h"
#include "core/edit/Transforms.h"
#include "core/files/PatternFile.h"
#include "core/generators/Automaton.h"
#include "core/generators/CameraBlend.h"
#include "core/generators/CellFilter.h"
#include "core/generators/ColorCurves.h"
#include "core/generators/MutateColors.h"
#include "core/generators/RandomPattern.h"
#include "core/generators/WaveSequence.h"
#include "core/random/Random.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

namespace quom::cli {
namespace {

constexpr std::string_view kUsage
    = "usage: quom apply IN.pat -o OUT.pat [--seed S] OP [OP ...]\n"
      "  OP: clear revx revy rotate-cw rotate-ccw scroll=DX,DY offset=DR,DG,DB\n"
      "      shuffle-rows shuffle-columns shuffle-cells drum automaton\n"
      "      random=replace|add,single|gradient,COLOUR1,COLOUR2,DENSITY,VARIATION\n"
      "      mutate=R,G,B,SEED curves=R,G,B,INV\n"
      "      waveseq=sine|exp|ramp|triangle|sh|random,PERIOD,SCALE,OX,OY,START,END,FX,FY\n"
      "      filter=FILE,red|green|blue,AMOUNT camera=IMAGE,all|black|painted,R,G,B\n"
      "  colours as 0xRRGGBB or as decimal colour words 0x00BBGGRR\n";

using Operation = std::function<void(Grid&)>;

// A grid an operation reads from a file (a filter, a camera frame). The files are read
// once the whole command line has parsed, so a usage error always wins over a missing file.
struct GridFile {
    std::string path;
    GridReader read; // null when this program cannot decode pictures
    std::shared_ptr<Grid> cells = std::make_shared<Grid>();
};
using GridFiles = std::vector<GridFile>;

std::vector<std::string_view> splitCommas(std::string_view text)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos)
            return parts;
        start = comma + 1;
    }
}

// The whole text must be the number: no sign for unsigned types, no blanks.
template <class Number> std::optional<Number> parseNumber(std::string_view text, int base = 10)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Offsets may be written with a plus sign.
std::optional<int> parseSigned(std::string_view text)
{
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-'))
            return std::nullopt;
    }
    return parseNumber<int>(text);
}

std::optional<std::vector<int>> parseIntegers(std::string_view text, std::size_t count)
{
    const auto parts = splitCommas(text);
    if (parts.size() != count)
        return std::nullopt;
    std::vector<int> values;
    for (const auto part : parts) {
        const auto value = parseSigned(part);
        if (!value)
            return std::nullopt;
        values.push_back(*value);
    }
    return values;
}

// 0xRRGGBB is written red first, as people write colours; a decimal number is the
// cell's own word, 0x00BBGGRR.
std::optional<Cell> parseColor(std::string_view text)
{
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        const auto rgb = text.size() <= 6 ? parseNumber<std::uint32_t>(text, 16) : std::nullopt;
        if (!rgb)
            return std::nullopt;
        return makeCell(static_cast<int>(*rgb >> 16), static_cast<int>(*rgb >> 8), static_cast<int>(*rgb));
    }
    const auto word = parseNumber<std::uint32_t>(text);
    if (!word || *word > 0xFFFFFFu)
        return std::nullopt;
    return *word;
}

std::optional<int> parseInRange(std::string_view text, int min, int max)
{
    const auto value = parseNumber<int>(text);
    if (!value || *value < min || *value > max)
        return std::nullopt;
    return value;
}

std::optional<int> parsePercent(std::string_view text)
{
    return parseInRange(text, 0, 100);
}

std::optional<bool> parseFlag(std::string_view text)
{
    if (text == "0" || text == "1")
        return text == "1";
    return std::nullopt;
}

std::optional<RandomSettings> parseRandomSettings(std::string_view text)
{
    const auto parts = splitCommas(text);
    if (parts.size() != 6)
        return std::nullopt;
    RandomSettings settings;
    if (parts[0] == "replace")
        settings.operation = RandomOperation::Replace;
    else if (parts[0] == "add")
        settings.operation = RandomOperation::Add;
    else
        return std::nullopt;
    if (parts[1] == "single")
        settings.colorMode = RandomColorMode::Single;
    else if (parts[1] == "gradient")
        settings.colorMode = RandomColorMode::Gradient;
    else
        return std::nullopt;
    const auto color1 = parseColor(parts[2]);
    const auto color2 = parseColor(parts[3]);
    const auto density = parsePercent(parts[4]);
    const auto variation = parsePercent(parts[5]);
    if (!color1 || !color2 || !density || !variation)
        return std::nullopt;
    settings.color1 = *color1;
    settings.color2 = *color2;
    settings.density = *density;
    settings.variation = *variation;
    return settings;
}

// R,G,B percentages, then the seed the mutation starts from.
std::optional<Operation> parseMutate(std::string_view text)
{
    const auto parts = splitCommas(text);
    if (parts.size() != 4)
        return std::nullopt;
    const auto red = parsePercent(parts[0]);
    const auto green = parsePercent(parts[1]);
    const auto blue = parsePercent(parts[2]);
    const auto seed = parseNumber<std::uint32_t>(parts[3]);
    if (!red || !green || !blue || !seed)
        return std::nullopt;
    return Operation{[r = *red, g = *green, b = *blue, seed = *seed](Grid& grid) {
        seedRandom(seed);
        mutateCells(grid, r, g, b);
    }};
}

// R,G,B amounts -50..50, then one 0 or 1 per channel for its inversion, e.g. 010.
std::optional<CurveSettings> parseCurveSettings(std::string_view text)
{
    const auto parts = splitCommas(text);
    if (parts.size() != 4 || parts[3].size() != 3)
        return std::nullopt;
    CurveSettings curves;
    for (std::size_t i = 0; i < 3; ++i) {
        const auto amount = parseSigned(parts[i]);
        const auto inverted = parseFlag(parts[3].substr(i, 1));
        if (!amount || *amount < -50 || *amount > 50 || !inverted)
            return std::nullopt;
        curves.amounts[i] = *amount;
        curves.inverted[i] = *inverted;
    }
    return curves;
}

std::optional<Wave> parseWave(std::string_view text)
{
    constexpr std::array<std::pair<std::string_view, Wave>, 6> kWaves{
        {{"sine", Wave::Sine}, {"exp", Wave::Exp}, {"ramp", Wave::Ramp}, {"triangle", Wave::Triangle},
            {"sh", Wave::SampleAndHold}, {"random", Wave::Random}}};
    for (const auto& [name, wave] : kWaves) {
        if (text == name)
            return wave;
    }
    return std::nullopt;
}

std::optional<WaveSettings> parseWaveSettings(std::string_view text)
{
    const auto parts = splitCommas(text);
    if (parts.size() != 9)
        return std::nullopt;
    const auto wave = parseWave(parts[0]);
    const auto period = parseInRange(parts[1], 1, 10);
    const auto scale = parseInRange(parts[2], 2, kRows);
    const auto offsetX = parseInRange(parts[3], 0, kColumns - 1);
    const auto offsetY = parseInRange(parts[4], 0, kRows - 1);
    const auto start = parseColor(parts[5]);
    const auto end = parseColor(parts[6]);
    const auto flipX = parseFlag(parts[7]);
    const auto flipY = parseFlag(parts[8]);
    if (!wave || !period || !scale || !offsetX || !offsetY || !start || !end || !flipX || !flipY)
        return std::nullopt;
    return WaveSettings{*wave, *period, *scale, *offsetX, *offsetY, *start, *end, *flipX, *flipY};
}

// A name or its number: "red" or "0" for the first.
std::optional<int> parseChoice(std::string_view text, std::initializer_list<std::string_view> names)
{
    int index = 0;
    for (const std::string_view name : names) {
        if (text == name || text == std::to_string(index))
            return index;
        ++index;
    }
    return std::nullopt;
}

// FILE,DEST,AMOUNT: the filter as the Filters window loads it.
std::optional<Operation> parseFilter(std::string_view text, GridFiles& files, GridReader read)
{
    const auto parts = splitCommas(text);
    if (parts.size() != 3 || parts[0].empty())
        return std::nullopt;
    const auto destination = parseChoice(parts[1], {"red", "green", "blue"});
    const auto amount = parseInRange(parts[2], 1, 100);
    if (!destination || !amount)
        return std::nullopt;
    const GridFile& file = files.emplace_back(GridFile{std::string(parts[0]), read});
    return Operation{
        [filter = file.cells, d = *destination, a = *amount](Grid& g) { applyCellFilter(g, *filter, d, a); }};
}

// IMAGE,MODE,R,G,B: one camera frame, the picture shrunk as a frame is.
std::optional<Operation> parseCamera(std::string_view text, GridFiles& files, GridReader read)
{
    const auto parts = splitCommas(text);
    if (parts.size() != 5 || parts[0].empty())
        return std::nullopt;
    const auto mode = parseChoice(parts[1], {"all", "black", "painted"});
    const auto red = parsePercent(parts[2]);
    const auto green = parsePercent(parts[3]);
    const auto blue = parsePercent(parts[4]);
    if (!mode || !red || !green || !blue)
        return std::nullopt;
    const CameraSettings settings{static_cast<CameraMode>(*mode), *red, *green, *blue};
    const GridFile& file = files.emplace_back(GridFile{std::string(parts[0]), read});
    return Operation{[frame = file.cells, settings](Grid& g) { g = blendFrame(g, *frame, settings); }};
}

std::optional<Operation> parseOperation(
    std::string_view text, GridFiles& files, const PictureReaders& pictures)
{
    const std::size_t equals = text.find('=');
    const std::string_view name = text.substr(0, equals);
    const std::optional<std::string_view> argument
        = equals == std::string_view::npos ? std::nullopt : std::optional{text.substr(equals + 1)};

    if (!argument) {
        if (name == "clear")
            return Operation{[](Grid& g) { g.fill(0); }};
        if (name == "revx")
            return Operation{reverseX};
        if (name == "revy")
            return Operation{reverseY};
        if (name == "rotate-cw")
            return Operation{[](Grid& g) { rotateQuarterTurns(g, 1); }};
        if (name == "rotate-ccw")
            return Operation{[](Grid& g) { rotateQuarterTurns(g, -1); }};
        if (name == "shuffle-rows")
            return Operation{shuffleRows};
        if (name == "shuffle-columns")
            return Operation{shuffleColumns};
        if (name == "shuffle-cells")
            return Operation{shuffleCells};
        if (name == "drum")
            return Operation{makeDrumPattern};
        if (name == "automaton")
            return Operation{evolve};
        return std::nullopt;
    }
    if (name == "scroll") {
        const auto d = parseIntegers(*argument, 2);
        if (!d)
            return std::nullopt;
        return Operation{[dx = (*d)[0], dy = (*d)[1]](Grid& g) { scroll(g, dx, dy); }};
    }
    if (name == "offset") {
        const auto d = parseIntegers(*argument, 3);
        if (!d)
            return std::nullopt;
        return Operation{[d = *d](Grid& g) { offsetColours(g, d[0], d[1], d[2]); }};
    }
    if (name == "random") {
        const auto settings = parseRandomSettings(*argument);
        if (!settings)
            return std::nullopt;
        return Operation{[s = *settings](Grid& g) { paintRandomPattern(g, s); }};
    }
    if (name == "mutate")
        return parseMutate(*argument);
    if (name == "curves") {
        const auto curves = parseCurveSettings(*argument);
        if (!curves)
            return std::nullopt;
        return Operation{[c = *curves](Grid& g) { g = withColorCurves(g, c); }};
    }
    if (name == "filter")
        return parseFilter(*argument, files, pictures.filter);
    if (name == "camera")
        return parseCamera(*argument, files, pictures.picture);
    if (name == "waveseq") {
        const auto settings = parseWaveSettings(*argument);
        if (!settings)
            return std::nullopt;
        // The random values are drawn when the operation runs, after the draws before it.
        return Operation{[s = *settings](Grid& g) { drawWaveSequence(g, s, drawWaveRandoms()); }};
    }
    return std::nullopt;
}

struct ApplyRequest {
    std::string input;
    std::string output;
    std::optional<std::uint32_t> seed;
    std::vector<Operation> operations;
    GridFiles files;
};

// Fills request from the arguments; on a usage error returns what was wrong.
std::optional<std::string> parseArguments(
    const Args& args, ApplyRequest& request, const PictureReaders& pictures)
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
        } else {
            auto operation = parseOperation(arg, request.files, pictures);
            if (!operation)
                return "unknown operation or malformed argument '" + arg + "'";
            request.operations.push_back(std::move(*operation));
        }
    }
    if (!haveInput)
        return std::string("no input pattern");
    if (!haveOutput || request.output.empty())
        return std::string("no output pattern (-o OUT.pat)");
    if (request.operations.empty())
        return std::string("no operation");
    return std::nullopt;
}

} // namespace

int runApply(const Args& args, std::ostream& out, std::ostream& err, const PictureReaders& pictures)
{
    (void)out;
    ApplyRequest request;
    if (const auto problem = parseArguments(args, request, pictures)) {
        err << "quom apply: " << *problem << '\n' << kUsage;
        return kExitUsage;
    }
    if (std::ranges::any_of(request.files, [](const GridFile& file) { return file.read == nullptr; }))
        return kNeedsPictures;

    auto pattern = readPatternFile(request.input);
    if (!pattern) {
        err << "quom apply: " << pattern.error().message() << '\n';
        return kExitFailure;
    }
    for (const GridFile& file : request.files) {
        auto cells = file.read(file.path);
        if (!cells) {
            err << "quom apply: " << cells.error().message() << '\n';
            return kExitFailure;
        }
        *file.cells = *cells;
    }

    // Unseeded, the generator starts from the same state as a fresh program.
    seedRandom(request.seed.value_or(1));
    for (const Operation& operation : request.operations)
        operation(pattern->cells);

    if (const auto written = writePatternFile(request.output, *pattern); !written) {
        err << "quom apply: " << written.error << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace quom::cli
