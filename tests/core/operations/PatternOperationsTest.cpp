#include "core/operations/PatternOperations.h"
#include "core/edit/Transforms.h"
#include "core/generators/CellFilter.h"
#include "core/generators/MutateColors.h"
#include "core/random/Random.h"
#include "support/TestGrids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

namespace quom {
namespace {

// One well-formed argument text for each operation that takes parameters.
const std::map<OperationId, std::string> kExampleArguments{{OperationId::Scroll, "1,-2"},
    {OperationId::OffsetColors, "1,2,3"}, {OperationId::Random, "add,single,0,0,5,0"},
    {OperationId::Mutate, "1,2,3,4"}, {OperationId::Curves, "0,0,0,000"},
    {OperationId::WaveSequence, "sine,1,64,0,0,0,0,0,0"}, {OperationId::Filter, "f.pat,red,50"},
    {OperationId::Camera, "i.png,all,1,2,3"}};

PatternOperation parsed(std::string_view text)
{
    const auto operation = parseOperation(text);
    EXPECT_TRUE(operation) << text;
    return operation.value_or(PatternOperation{OperationId::Clear, {}});
}

template <class Arguments> Arguments argumentsOf(std::string_view text)
{
    return std::get<Arguments>(parsed(text).arguments);
}

TEST(PatternOperations, EveryIdHasOneEntryAndEveryWordFindsItsOwn)
{
    const auto operations = patternOperations();
    ASSERT_EQ(operations.size(), static_cast<std::size_t>(OperationId::Camera) + 1);
    for (const OperationInfo& info : operations) {
        EXPECT_EQ(&operationInfo(info.id), &info) << info.word;
        EXPECT_EQ(std::ranges::count(operations, info.word, &OperationInfo::word), 1) << info.word;
        const std::string word(info.word);
        if (info.parameters.empty()) {
            EXPECT_EQ(parsed(word).id, info.id);
            EXPECT_FALSE(parseOperation(word + "=")) << word << " takes no arguments";
        } else {
            ASSERT_TRUE(kExampleArguments.contains(info.id)) << word;
            EXPECT_EQ(parsed(word + "=" + kExampleArguments.at(info.id)).id, info.id);
            EXPECT_FALSE(parseOperation(word)) << word << " needs its arguments";
        }
    }
}

TEST(PatternOperations, ArgumentsAreReadAsWritten)
{
    EXPECT_EQ(argumentsOf<ScrollAmount>("scroll=+3,-70"), (ScrollAmount{3, -70}));
    EXPECT_EQ(argumentsOf<RandomSettings>("random=add,gradient,0x00FF00,255,30,20"),
        (RandomSettings{RandomOperation::Add, RandomColorMode::Gradient, makeCell(0, 255, 0),
            makeCell(255, 0, 0), 30, 20}));
    EXPECT_EQ(argumentsOf<Mutation>("mutate=0,100,7,4294967295"), (Mutation{0, 100, 7, 4294967295u}));
    // Only the first '=' ends the word, so a path may hold one.
    EXPECT_EQ(
        argumentsOf<FilterUse>("filter=dir/a=b.pat,2,100"), (FilterUse{GridFromFile{"dir/a=b.pat"}, 2, 100}));
}

TEST(PatternOperations, MalformedTextIsRefused)
{
    for (const std::string_view text : {"", "flip", "Revx", "revx ", "scroll=1", "scroll=1,2,", "scroll=1,x",
             "offset=+-1,0,0", "mutate=1,2,3", "mutate=1,2,3,-4", "curves=0,0,0,01", "curves=-51,0,0,000",
             "random=add,single,0x1234567,0,5,0", "waveseq=sine,0,64,0,0,0,0,0,0", "filter=,red,50",
             "filter=f,3,50", "camera=i.png,all,0,0", "camera=i.png,none,0,0,0"})
        EXPECT_FALSE(parseOperation(text)) << text;
}

TEST(PatternOperations, RunAsTheAlgorithmsTheyNameDrawingWhenTheyRun)
{
    const PatternOperation waves = parsed("waveseq=sh,3,40,10,5,0x00FF00,16711680,1,0");
    Grid grid = distinctGrid();
    seedRandom(9);
    EXPECT_TRUE(applyOperation(parsed("scroll=3,-2"), grid));
    EXPECT_TRUE(applyOperation(parsed("shuffle-cells"), grid));
    EXPECT_TRUE(applyOperation(waves, grid));
    EXPECT_TRUE(applyOperation(parsed("mutate=30,0,100,77"), grid));

    Grid expected = distinctGrid();
    seedRandom(9);
    scroll(expected, 3, -2);
    shuffleCells(expected);
    drawWaveSequence(expected, std::get<WaveSettings>(waves.arguments), drawWaveRandoms());
    seedRandom(77);
    mutateCells(expected, 30, 0, 100);
    EXPECT_EQ(grid, expected);
}

TEST(PatternOperations, AFilterRunsWithTheCellsItsCallerRead)
{
    PatternOperation filter = parsed("filter=mask.pat,green,70");
    GridFromFile* file = gridFromFile(filter);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->path, "mask.pat");
    Grid mask;
    for (int i = 0; i < kCells; ++i)
        mask[i] = makeCell(i % 200, 255 - i % 256, 40);
    file->cells = std::make_shared<const Grid>(mask);

    Grid grid = distinctGrid();
    applyOperation(filter, grid);
    Grid expected = distinctGrid();
    applyCellFilter(expected, mask, 1, 70);
    EXPECT_EQ(grid, expected);

    PatternOperation drum = parsed("drum");
    EXPECT_EQ(gridFromFile(drum), nullptr);
}

TEST(PatternOperations, AnOffsetOfNothingRecordsNoUndoState)
{
    EXPECT_EQ(operationInfo(OperationId::OffsetColors).undo, UndoRecord::WhenChanged);
    Grid grid = distinctGrid();
    EXPECT_FALSE(applyOperation(parsed("offset=0,+0,-0"), grid));
    EXPECT_EQ(grid, distinctGrid());
    EXPECT_TRUE(applyOperation(parsed("offset=0,-1,0"), grid));
}

} // namespace
} // namespace quom
