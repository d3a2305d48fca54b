#include "core/session/Session.h"

#include "core/audio/Engine.h"
#include "support/TestGrids.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace quom;

// What a window would hear.
struct Heard final : SessionListener {
    void patternChanged() override { ++changes; }
    void tempoChanged(int bpm) override { tempos.push_back(bpm); }
    void playingChanged(bool on) override { playing.push_back(on); }

    int changes = 0;
    std::vector<int> tempos;
    std::vector<bool> playing;
};

class SessionTest : public ::testing::Test {
protected:
    SessionTest() { session.setListener(&heard); }

    LiveGrid& cells() { return session.model().current(); }
    int undoStates() const { return session.undoHistory().size(); }

    Engine engine;
    Session session{engine};
    Heard heard;
};

TEST_F(SessionTest, TransformsAreOneUndoableEditEach)
{
    const Grid start = distinctGrid();
    session.replaceCells(start);
    EXPECT_EQ(undoStates(), 2);

    using Operation = void (Session::*)();
    for (Operation operation : {&Session::reverseX, &Session::reverseY, &Session::rotateCounterClockwise,
             &Session::rotateClockwise, &Session::shuffleRows, &Session::shuffleColumns,
             &Session::shuffleCells, &Session::automaton, &Session::drum})
        (session.*operation)();
    EXPECT_EQ(undoStates(), 11);
    EXPECT_EQ(heard.changes, 10);

    session.replaceCells(start);
    session.rotateClockwise();
    EXPECT_EQ(cells().at(63, 0), start[cellIndex(0, 0)]) << "clockwise";
    session.rotateCounterClockwise();
    EXPECT_EQ(cells().snapshot(), start);

    session.scroll(-4, 1);
    EXPECT_EQ(cells().at(60, 1), start[cellIndex(0, 0)]);
    EXPECT_EQ(undoStates(), 15);

    session.addColor(1, 0);
    EXPECT_EQ(undoStates(), 15) << "an offset of nothing is no edit";
}

TEST_F(SessionTest, SwitchingAwayAndBackKeepsUnsavedEditsAndTempo)
{
    cells().set(3, 7, makeCell(1, 0, 0)); // red 1: still a note
    session.setTempo(97);
    session.model().selection = {1, 2, 5, 6};
    session.recordUndo();

    EXPECT_TRUE(session.selectPattern(4));
    EXPECT_EQ(session.model().currentIndex(), 4);
    EXPECT_EQ(cells().at(3, 7), 0u);
    EXPECT_EQ(session.tempo(), 120);
    EXPECT_EQ(heard.tempos, std::vector<int>{120});
    EXPECT_TRUE(session.model().selection.empty());
    EXPECT_EQ(undoStates(), 0) << "the history belongs to the pattern shown";

    cells().set(0, 0, makeCell(9, 9, 9));
    session.setTempo(200);
    EXPECT_TRUE(session.selectPattern(0));
    EXPECT_EQ(cells().at(3, 7), makeCell(1, 0, 0));
    EXPECT_EQ(session.tempo(), 97);
    EXPECT_EQ(session.model().tempo(4), 200);
    EXPECT_EQ(session.model().slot(4)[cellIndex(0, 0)], makeCell(9, 9, 9));
    EXPECT_EQ(engine.pattern(), &cells()) << "the engine plays whichever pattern is current";
}

TEST_F(SessionTest, SelectingTheCurrentSlotOnlyStoresIt)
{
    cells().set(10, 10, makeCell(5, 6, 7));
    session.setTempo(180);
    session.model().selection = {2, 2, 4, 4};
    session.model().clip = {0, 0, 3, 3};

    EXPECT_FALSE(session.selectPattern(0));
    EXPECT_FALSE(session.selectPattern(16));
    EXPECT_EQ(session.model().tempo(0), 180);
    EXPECT_EQ(session.model().slot(0)[cellIndex(10, 10)], makeCell(5, 6, 7));
    EXPECT_EQ(session.model().selection, (CellRect{2, 2, 4, 4}));
    EXPECT_EQ(undoStates(), 1);
    EXPECT_TRUE(heard.tempos.empty());
}

TEST_F(SessionTest, SwitchKeepsTheClipAndTakesAFileTempoIntoTheSliderRange)
{
    session.model().clip = {1, 1, 2, 2};
    session.model().setTempo(5, 0);
    session.model().setTempo(6, 5000);
    session.selectPattern(5);
    EXPECT_EQ(session.tempo(), 1);
    EXPECT_EQ(session.model().tempo(5), 0); // the stored value stays as read until stored again
    session.selectPattern(6);
    EXPECT_EQ(session.tempo(), 350);
    EXPECT_EQ(session.model().clip, (CellRect{1, 1, 2, 2}));
}

TEST_F(SessionTest, NewProjectKeepsTheKitAndForgetsTheHistory)
{
    auto kit = std::make_shared<CKit>();
    kit->slot(7).name = "kept.wav";
    session.setKit(kit);
    session.selectPattern(3);
    session.setPatternTempo(400);
    EXPECT_EQ(session.model().tempo(3), 350);
    cells().set(1, 1, 5);
    session.recordUndo();

    session.newProject();
    EXPECT_EQ(session.model().currentIndex(), 0);
    EXPECT_EQ(session.tempo(), 120);
    EXPECT_EQ(session.model().tempo(3), 120);
    EXPECT_EQ(undoStates(), 0);
    EXPECT_EQ(session.kit()->slot(7).name, "kept.wav");
    EXPECT_EQ(heard.tempos.back(), 120);
}

TEST_F(SessionTest, PlaybackIsToldAndTheDestructorTakesThePatternBack)
{
    session.play();
    EXPECT_TRUE(engine.playing());
    std::vector<float> out(2 * 64);
    engine.Render(64, out.data());
    EXPECT_EQ(session.playingColumn(), 0);
    session.stopAndRewind();
    session.stop();
    EXPECT_EQ(heard.playing, (std::vector<bool>{true, false})) << "stopping twice is heard once";
    EXPECT_EQ(session.playingColumn(), -1);

    auto other = std::make_unique<Session>(engine);
    EXPECT_EQ(engine.pattern(), &other->model().current());
    other.reset();
    EXPECT_EQ(engine.pattern(), nullptr);
    EXPECT_EQ(engine.tempoSource(), nullptr);
}

TEST_F(SessionTest, ControllerMovesChangeThePatternAndTempoWithoutUndoStates)
{
    cells().set(0, 0, 5);
    session.liveEdit([](Grid& g) { g[cellIndex(1, 0)] = g[cellIndex(0, 0)]; });
    EXPECT_EQ(cells().at(1, 0), 5u);
    EXPECT_EQ(heard.changes, 1);
    EXPECT_EQ(undoStates(), 1) << "a stream of moves is snapshotted once it rests";

    session.changeTempo(351);
    EXPECT_EQ(session.tempo(), 350);
    EXPECT_EQ(heard.tempos, std::vector<int>{350});
    EXPECT_EQ(session.model().tempo(0), 120) << "the slot keeps its tempo until stored";
}

} // namespace
