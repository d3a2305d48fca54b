#pragma once

#include "core/generators/CameraBlend.h"
#include "core/generators/ColorCurves.h"
#include "core/generators/RandomPattern.h"
#include "core/generators/WaveSequence.h"
#include "core/model/Cell.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

// The one vocabulary of whole-pattern operations. Each has one stable name, the word
// `quom apply` takes, its arguments, what it does to a grid, and whether it records an
// undo state; every caller (the command line, the window's commands, MIDI control)
// names and runs an operation through this registry rather than its own table.
// Operations that draw random numbers draw on the shared generator when they run.
namespace quom {

enum class OperationId {
    Clear,
    ReverseX,
    ReverseY,
    RotateClockwise,
    RotateCounterClockwise,
    Scroll,
    OffsetColors,
    ShuffleRows,
    ShuffleColumns,
    ShuffleCells,
    Drum,
    Automaton,
    Random,
    Mutate,
    Curves,
    WaveSequence,
    Filter,
    Camera
};

// With wrap-around at every edge.
struct ScrollAmount {
    int columns = 0;
    int rows = 0;

    friend bool operator==(const ScrollAmount&, const ScrollAmount&) = default;
};

struct ColorOffsets {
    int red = 0;
    int green = 0;
    int blue = 0;

    friend bool operator==(const ColorOffsets&, const ColorOffsets&) = default;
};

// Percentages 0..100 per channel, then the seed the generator takes first, so the same
// mutation comes out whatever was drawn before.
struct Mutation {
    int red = 0;
    int green = 0;
    int blue = 0;
    std::uint32_t seed = 1;

    friend bool operator==(const Mutation&, const Mutation&) = default;
};

// A grid an operation reads from a file: the parser gives the path; the caller reads
// the file into cells before the operation runs. Shared, so that an operation stays
// small to copy.
struct GridFromFile {
    std::string path;
    std::shared_ptr<const Grid> cells{}; // null until the file is read

    friend bool operator==(const GridFromFile&, const GridFromFile&) = default;
};

struct FilterUse {
    GridFromFile filter;
    int destination = 0; // 0 red, 1 green, 2 blue
    int amount = 50; // percent, 1..100

    friend bool operator==(const FilterUse&, const FilterUse&) = default;
};

struct CameraFrame {
    GridFromFile frame;
    CameraSettings settings;

    friend bool operator==(const CameraFrame&, const CameraFrame&) = default;
};

using OperationArguments = std::variant<std::monostate, ScrollAmount, ColorOffsets, RandomSettings, Mutation,
    CurveSettings, WaveSettings, FilterUse, CameraFrame>;

struct PatternOperation {
    OperationId id;
    OperationArguments arguments; // the alternative its id takes; monostate for none
};

// WhenChanged: only when the operation changed something (an offset of nothing does not).
enum class UndoRecord { Always, WhenChanged };

struct OperationInfo {
    OperationId id;
    std::string_view word; // the word quom apply takes: "revx", "rotate-cw", "scroll"
    std::string_view parameters; // what follows "word=" in the usage, empty for none
    UndoRecord undo;
    // Reads what follows "word="; null for an operation without parameters.
    std::optional<OperationArguments> (*parse)(std::string_view text);
    // Changes grid; returns whether an undo state is due.
    bool (*run)(const OperationArguments& arguments, Grid& grid);
};

// In the order of quom apply's usage text.
std::span<const OperationInfo> patternOperations();
const OperationInfo& operationInfo(OperationId id);

// "word" or "word=ARGS"; nothing when the word is unknown, its arguments are malformed,
// or arguments are given to a word that takes none (or missing from one that takes some).
std::optional<PatternOperation> parseOperation(std::string_view text);

// The file an operation reads its grid from (a filter, a camera frame), or null.
GridFromFile* gridFromFile(PatternOperation& operation);

// Only one channel moved: 0 red, 1 green, 2 blue.
ColorOffsets channelOffset(int channel, int amount) noexcept;

// Runs the operation on grid; returns whether an undo state is due (see UndoRecord).
// Arguments that are not the alternative its id takes are a programming error
// (std::bad_variant_access), as is a grid from a file that has not been read.
bool applyOperation(const PatternOperation& operation, Grid& grid);

} // namespace quom
