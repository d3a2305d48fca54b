#include "core/project/Project.h"

#include "support/TempDir.h"
#include "support/TestGrids.h"
#include "support/WaveBytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

using namespace quom;

// What a window would hear.
struct Heard final : ProjectListener {
    void leavingPattern() override { ++leavings; }
    void patternChanged() override { ++changes; }
    void tempoChanged(int bpm) override { tempos.push_back(bpm); }
    void kitChanged() override { ++kits; }

    int leavings = 0;
    int changes = 0;
    std::vector<int> tempos;
    int kits = 0;
};

class ProjectTest : public ::testing::Test {
protected:
    ProjectTest() { project.addListener(&heard); }
    ~ProjectTest() override { project.removeListener(&heard); }

    LiveGrid& cells() { return project.model().current(); }
    int undoStates() const { return project.undoHistory().size(); }

    Project project;
    Heard heard;
};

TEST_F(ProjectTest, TransformsAreOneUndoableEditEach)
{
    const Grid start = distinctGrid();
    project.replaceCells(start);
    EXPECT_EQ(undoStates(), 2);

    using enum OperationId;
    for (OperationId id : {ReverseX, ReverseY, RotateCounterClockwise, RotateClockwise, ShuffleRows,
             ShuffleColumns, ShuffleCells, Automaton, Drum})
        project.apply({id, {}});
    EXPECT_EQ(undoStates(), 11);
    EXPECT_EQ(heard.changes, 10);

    project.replaceCells(start);
    project.apply({OperationId::RotateClockwise, {}});
    EXPECT_EQ(cells().at(63, 0), start[cellIndex(0, 0)]) << "clockwise";
    project.apply({OperationId::RotateCounterClockwise, {}});
    EXPECT_EQ(cells().snapshot(), start);

    project.apply({OperationId::Scroll, ScrollAmount{-4, 1}});
    EXPECT_EQ(cells().at(60, 1), start[cellIndex(0, 0)]);
    EXPECT_EQ(undoStates(), 15);

    project.apply({OperationId::OffsetColors, channelOffset(1, 0)});
    EXPECT_EQ(undoStates(), 15) << "an offset of nothing is no edit";
}

TEST_F(ProjectTest, SwitchingAwayAndBackKeepsUnsavedEditsAndTempo)
{
    cells().set(3, 7, makeCell(1, 0, 0)); // red 1: still a note
    project.setTempo(97);
    project.model().selection = {1, 2, 5, 6};
    project.recordUndo();

    EXPECT_TRUE(project.selectPattern(4));
    EXPECT_EQ(project.model().currentIndex(), 4);
    EXPECT_EQ(cells().at(3, 7), 0u);
    EXPECT_EQ(project.tempo(), 120);
    EXPECT_EQ(heard.tempos, std::vector<int>{120});
    EXPECT_TRUE(project.model().selection.empty());
    EXPECT_EQ(undoStates(), 0) << "the history belongs to the pattern shown";

    cells().set(0, 0, makeCell(9, 9, 9));
    project.setTempo(200);
    EXPECT_TRUE(project.selectPattern(0));
    EXPECT_EQ(cells().at(3, 7), makeCell(1, 0, 0));
    EXPECT_EQ(project.tempo(), 97);
    EXPECT_EQ(project.model().tempo(4), 200);
    EXPECT_EQ(project.model().slot(4)[cellIndex(0, 0)], makeCell(9, 9, 9));
}

TEST_F(ProjectTest, SelectingTheCurrentSlotOnlyStoresIt)
{
    cells().set(10, 10, makeCell(5, 6, 7));
    project.setTempo(180);
    project.model().selection = {2, 2, 4, 4};
    project.model().clip = {0, 0, 3, 3};

    EXPECT_FALSE(project.selectPattern(0));
    EXPECT_FALSE(project.selectPattern(16));
    EXPECT_EQ(project.model().tempo(0), 180);
    EXPECT_EQ(project.model().slot(0)[cellIndex(10, 10)], makeCell(5, 6, 7));
    EXPECT_EQ(project.model().selection, (CellRect{2, 2, 4, 4}));
    EXPECT_EQ(undoStates(), 1);
    EXPECT_TRUE(heard.tempos.empty());
}

TEST_F(ProjectTest, SwitchKeepsTheClipAndTakesAFileTempoIntoTheSliderRange)
{
    project.model().clip = {1, 1, 2, 2};
    project.model().setTempo(5, 0);
    project.model().setTempo(6, 5000);
    project.selectPattern(5);
    EXPECT_EQ(project.tempo(), 1);
    EXPECT_EQ(project.model().tempo(5), 0); // the stored value stays as read until stored again
    project.selectPattern(6);
    EXPECT_EQ(project.tempo(), 350);
    EXPECT_EQ(project.model().clip, (CellRect{1, 1, 2, 2}));
}

TEST_F(ProjectTest, NewProjectKeepsTheKitAndForgetsTheHistory)
{
    auto kit = std::make_shared<CKit>();
    kit->slot(7).name = "kept.wav";
    project.setKit(kit);
    project.selectPattern(3);
    project.setPatternTempo(400);
    EXPECT_EQ(project.model().tempo(3), 350);
    cells().set(1, 1, 5);
    project.recordUndo();

    project.newProject();
    EXPECT_EQ(project.model().currentIndex(), 0);
    EXPECT_EQ(project.tempo(), 120);
    EXPECT_EQ(project.model().tempo(3), 120);
    EXPECT_EQ(undoStates(), 0);
    EXPECT_EQ(project.kit()->slot(7).name, "kept.wav");
    EXPECT_EQ(heard.tempos.back(), 120);
}

TEST_F(ProjectTest, ControllerMovesChangeThePatternAndTempoWithoutUndoStates)
{
    cells().set(0, 0, 5);
    project.applyLive({OperationId::Scroll, ScrollAmount{1, 0}});
    EXPECT_EQ(cells().at(1, 0), 5u);
    EXPECT_EQ(heard.changes, 1);
    EXPECT_EQ(undoStates(), 1) << "a stream of moves is snapshotted once it rests";

    project.changeTempo(351);
    EXPECT_EQ(project.tempo(), 350);
    EXPECT_EQ(heard.tempos, std::vector<int>{350});
    EXPECT_EQ(project.model().tempo(0), 120) << "the slot keeps its tempo until stored";
}

// A floating paste lands on the pattern being left, as the window does when told.
struct LandsOnLeaving final : ProjectListener {
    explicit LandsOnLeaving(Project& p)
        : project(p)
    {
    }
    void leavingPattern() override { project.setCellColor(9, 9, makeCell(1, 2, 3)); }
    Project& project;
};

TEST_F(ProjectTest, WhatLandsOnLeavingAPatternIsStoredWithIt)
{
    LandsOnLeaving landing(project);
    project.addListener(&landing);
    EXPECT_TRUE(project.selectPattern(2));
    project.removeListener(&landing);
    EXPECT_EQ(heard.leavings, 1);
    EXPECT_EQ(project.model().slot(0)[cellIndex(9, 9)], makeCell(1, 2, 3));
    EXPECT_EQ(cells().at(9, 9), 0u);
}

TEST_F(ProjectTest, AProjectFileTakesItsKitWithOrWithoutTheSamples)
{
    TempDir dir;
    auto kit = std::make_shared<CKit>();
    kit->slot(5).name = dir.file("gone.wav");
    project.setKit(kit);
    project.replaceCells(distinctGrid());
    ASSERT_TRUE(project.saveProject(dir.file("p.qom")));
    const std::vector<std::uint8_t> bytes = project.projectBytes();
    project.newProject();
    project.setKit(nullptr);
    const int kits = heard.kits;

    const auto named = project.loadProject(bytes, "p.qom", SampleLoading::Skip);
    ASSERT_TRUE(named);
    EXPECT_TRUE(named->empty()) << "no sample was read, so none failed";
    EXPECT_EQ(project.kit()->slot(5).name, dir.file("gone.wav"));
    EXPECT_EQ(cells().snapshot(), distinctGrid());
    EXPECT_FALSE(project.hasUnsavedChanges());

    const auto read = project.loadProject(dir.file("p.qom"));
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), 1u);
    EXPECT_EQ(read->front().message(), dir.file("gone.wav") + ": No such file or directory");
    EXPECT_EQ(heard.kits, kits + 2) << "each load names a kit";

    EXPECT_FALSE(project.loadProject(std::vector<std::uint8_t>(10), "short.qom", SampleLoading::Load));
    EXPECT_EQ(heard.kits, kits + 2) << "a file refused changes nothing";
}

TEST_F(ProjectTest, TakingTheFilesOwnRatesReadsAgainOnlyTheSamplesOfOtherRates)
{
    TempDir dir;
    const auto pcm = wavebytes::pcm16(std::vector<std::int16_t>(4800, 1000));
    dir.write(
        "48.wav", wavebytes::riffWave({wavebytes::fmtChunk(1, 16, 1, 48000), wavebytes::dataChunk(pcm)}));
    dir.write("44.wav", wavebytes::riffWave({wavebytes::fmtChunk(1, 16), wavebytes::dataChunk(pcm)}));
    auto kit = std::make_shared<CKit>();
    kit->slot(0).name = kit->slot(2).name = dir.file("48.wav");
    kit->slot(1).name = dir.file("44.wav");
    ASSERT_TRUE(kit->loadSamples(project.fileRate()).empty());
    project.setKit(kit);
    const std::vector<std::uint8_t> saved = project.projectBytes();

    EXPECT_TRUE(project.setFileRate(FileRate::Own).empty());
    const CKit& own = *project.kit();
    EXPECT_EQ(own.slot(0).length(), 4410u);
    EXPECT_TRUE(own.slot(2).data.shares(own.slot(0).data)) << "read once for both slots";
    EXPECT_TRUE(own.slot(1).data.shares(kit->slot(1).data)) << "a 44100 Hz file is not read again";
    EXPECT_EQ(project.projectBytes(), saved) << "the saved project does not change with the setting";

    // Samples load the project's way from now on; one that cannot be read again keeps its sound.
    EXPECT_EQ((*project.loadProject(saved, "p.qom", SampleLoading::Load)).size(), 0u);
    EXPECT_EQ(project.kit()->slot(0).length(), 4410u);
    std::filesystem::remove(dir.file("48.wav"));
    const auto failed = project.setFileRate(FileRate::AsIf44100);
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed.front().path, dir.file("48.wav"));
    EXPECT_EQ(project.kit()->slot(0).length(), 4410u);
}

} // namespace
