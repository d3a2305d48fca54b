#include "core/operations/PatternOperations.h"

#include "core/edit/Drum.h"
#include "core/edit/Transforms.h"
#include "core/generators/Automaton.h"
#include "core/generators/CellFilter.h"
#include "core/generators/MutateColors.h"
#include "core/operations/ArgumentParsers.h"
#include "core/random/Random.h"

#include <algorithm>
#include <array>
#include <utility>

namespace quom {
namespace {

// A typed argument parser as the table's entry takes it.
template <auto Parse> std::optional<OperationArguments> parseInto(std::string_view text)
{
    if (auto arguments = Parse(text))
        return OperationArguments{std::move(*arguments)};
    return std::nullopt;
}

// An operation without arguments that always leaves an undo state.
template <auto Change> bool runPlain(const OperationArguments&, Grid& grid)
{
    Change(grid);
    return true;
}

void clearGrid(Grid& grid) noexcept
{
    grid.fill(0);
}

void rotateClockwise(Grid& grid) noexcept
{
    rotateQuarterTurns(grid, 1);
}

void rotateCounterClockwise(Grid& grid) noexcept
{
    rotateQuarterTurns(grid, -1);
}

bool runScroll(const OperationArguments& arguments, Grid& grid)
{
    const auto& amount = std::get<ScrollAmount>(arguments);
    scroll(grid, amount.columns, amount.rows);
    return true;
}

bool runOffset(const OperationArguments& arguments, Grid& grid)
{
    const auto& offsets = std::get<ColorOffsets>(arguments);
    return offsetColours(grid, offsets.red, offsets.green, offsets.blue);
}

bool runRandom(const OperationArguments& arguments, Grid& grid)
{
    paintRandomPattern(grid, std::get<RandomSettings>(arguments));
    return true;
}

bool runMutate(const OperationArguments& arguments, Grid& grid)
{
    const auto& mutation = std::get<Mutation>(arguments);
    seedRandom(mutation.seed);
    mutateCells(grid, mutation.red, mutation.green, mutation.blue);
    return true;
}

bool runCurves(const OperationArguments& arguments, Grid& grid)
{
    grid = withColorCurves(grid, std::get<CurveSettings>(arguments));
    return true;
}

// The random values are drawn when the operation runs, after the draws before it.
bool runWaveSequence(const OperationArguments& arguments, Grid& grid)
{
    drawWaveSequence(grid, std::get<WaveSettings>(arguments), drawWaveRandoms());
    return true;
}

bool runFilter(const OperationArguments& arguments, Grid& grid)
{
    const auto& use = std::get<FilterUse>(arguments);
    applyCellFilter(grid, *use.filter.cells, use.destination, use.amount);
    return true;
}

bool runCamera(const OperationArguments& arguments, Grid& grid)
{
    const auto& camera = std::get<CameraFrame>(arguments);
    grid = blendFrame(grid, *camera.frame.cells, camera.settings);
    return true;
}

using enum OperationId;
using enum UndoRecord;

constexpr std::array kOperations{
    OperationInfo{Clear, "clear", "", Always, nullptr, runPlain<clearGrid>},
    OperationInfo{ReverseX, "revx", "", Always, nullptr, runPlain<reverseX>},
    OperationInfo{ReverseY, "revy", "", Always, nullptr, runPlain<reverseY>},
    OperationInfo{RotateClockwise, "rotate-cw", "", Always, nullptr, runPlain<rotateClockwise>},
    OperationInfo{
        RotateCounterClockwise, "rotate-ccw", "", Always, nullptr, runPlain<rotateCounterClockwise>},
    OperationInfo{Scroll, "scroll", "DX,DY", Always, parseInto<parseScrollAmount>, runScroll},
    OperationInfo{OffsetColors, "offset", "DR,DG,DB", WhenChanged, parseInto<parseColorOffsets>, runOffset},
    OperationInfo{ShuffleRows, "shuffle-rows", "", Always, nullptr, runPlain<shuffleRows>},
    OperationInfo{ShuffleColumns, "shuffle-columns", "", Always, nullptr, runPlain<shuffleColumns>},
    OperationInfo{ShuffleCells, "shuffle-cells", "", Always, nullptr, runPlain<shuffleCells>},
    OperationInfo{Drum, "drum", "", Always, nullptr, runPlain<makeDrumPattern>},
    OperationInfo{Automaton, "automaton", "", Always, nullptr, runPlain<evolve>},
    OperationInfo{Random, "random", "replace|add,single|gradient,COLOUR1,COLOUR2,DENSITY,VARIATION", Always,
        parseInto<parseRandomSettings>, runRandom},
    OperationInfo{Mutate, "mutate", "R,G,B,SEED", Always, parseInto<parseMutation>, runMutate},
    OperationInfo{Curves, "curves", "R,G,B,INV", Always, parseInto<parseCurveSettings>, runCurves},
    OperationInfo{WaveSequence, "waveseq",
        "sine|exp|ramp|triangle|sh|random,PERIOD,SCALE,OX,OY,START,END,FX,FY", Always,
        parseInto<parseWaveSettings>, runWaveSequence},
    OperationInfo{
        Filter, "filter", "FILE,red|green|blue,AMOUNT", Always, parseInto<parseFilterUse>, runFilter},
    OperationInfo{
        Camera, "camera", "IMAGE,all|black|painted,R,G,B", Always, parseInto<parseCameraFrame>, runCamera},
};

constexpr bool listedInIdOrder()
{
    for (std::size_t i = 0; i < kOperations.size(); ++i) {
        if (static_cast<std::size_t>(kOperations[i].id) != i)
            return false;
    }
    return true;
}
// So that an id indexes its entry.
static_assert(listedInIdOrder());

} // namespace

std::span<const OperationInfo> patternOperations()
{
    return kOperations;
}

const OperationInfo& operationInfo(OperationId id)
{
    return kOperations.at(static_cast<std::size_t>(id));
}

std::optional<PatternOperation> parseOperation(std::string_view text)
{
    const std::size_t equals = text.find('=');
    const std::string_view word = text.substr(0, equals);
    const auto found = std::ranges::find(kOperations, word, &OperationInfo::word);
    if (found == kOperations.end())
        return std::nullopt;
    if (equals == std::string_view::npos) {
        if (found->parse != nullptr)
            return std::nullopt;
        return PatternOperation{found->id, {}};
    }
    if (found->parse == nullptr)
        return std::nullopt;
    auto arguments = found->parse(text.substr(equals + 1));
    if (!arguments)
        return std::nullopt;
    return PatternOperation{found->id, std::move(*arguments)};
}

GridFromFile* gridFromFile(PatternOperation& operation)
{
    if (auto* use = std::get_if<FilterUse>(&operation.arguments))
        return &use->filter;
    if (auto* camera = std::get_if<CameraFrame>(&operation.arguments))
        return &camera->frame;
    return nullptr;
}

ColorOffsets channelOffset(int channel, int amount) noexcept
{
    return {channel == 0 ? amount : 0, channel == 1 ? amount : 0, channel == 2 ? amount : 0};
}

bool applyOperation(const PatternOperation& operation, Grid& grid)
{
    return operationInfo(operation.id).run(operation.arguments, grid);
}

} // namespace quom
