#include "core/midi/LiveControl.h"

#include "core/edit/Transforms.h"
#include "core/project/Project.h"
#include "core/settings/Settings.h"
#include "support/TestGrids.h"

#include <gtest/gtest.h>

namespace {

using namespace quom;

std::uint32_t message(int status, int data1, int data2)
{
    return static_cast<std::uint32_t>(status | data1 << 8 | data2 << 16);
}

class LiveControlTest : public ::testing::Test {
protected:
    LiveControlTest()
    {
        settings.midiInChannel = 0;
        settings.ccX = 10;
        settings.ccRed = 7;
        settings.ccTempo = 20;
        project.replaceCells(distinctGrid());
    }

    // The red controller, from its reference value up by one step.
    bool turnRed(int from)
    {
        control.handle(message(0xB0, settings.ccRed, from));
        return control.handle(message(0xB0, settings.ccRed, from + 1));
    }
    int undoStates() const { return project.undoHistory().size(); }

    Settings settings;
    Project project;
    LiveControl control{project, settings};
};

TEST_F(LiveControlTest, ARunOfMovesBecomesOneUndoStateWhenTheControllerRests)
{
    const int states = undoStates();
    Grid expected = distinctGrid();
    scroll(expected, 1, 0);
    offsetColours(expected, 2, 0, 0);
    EXPECT_FALSE(control.handle(message(0xB0, settings.ccX, 40)))
        << "the first value only sets the reference";
    EXPECT_TRUE(control.handle(message(0xB0, settings.ccX, 42)));
    EXPECT_TRUE(turnRed(30));
    EXPECT_EQ(project.model().current().snapshot(), expected);
    EXPECT_EQ(undoStates(), states) << "not while the knobs turn";

    control.rest();
    EXPECT_EQ(undoStates(), states + 1);
    control.rest();
    EXPECT_EQ(undoStates(), states + 1) << "a second rest has no moves to record";
}

TEST_F(LiveControlTest, AProgramChangeSelectsAPatternAndDropsTheMovesOfTheOneLeft)
{
    turnRed(50);
    EXPECT_FALSE(control.handle(message(0xC0, 3, 0)));
    EXPECT_EQ(project.model().currentIndex(), 3);
    control.rest();
    EXPECT_EQ(undoStates(), 0) << "the history of the pattern left went with it";

    EXPECT_FALSE(control.handle(message(0xC1, 5, 0))) << "another channel";
    EXPECT_FALSE(control.handle(message(0xC0, 16, 0))) << "no 17th pattern";
    EXPECT_EQ(project.model().currentIndex(), 3);
}

TEST_F(LiveControlTest, UnderALentPatternTheTempoActsAtOnceAndTheRestWhenTheWindowCloses)
{
    const Grid before = project.model().current().snapshot();
    const int states = undoStates();
    {
        const PatternLoan window(project);
        EXPECT_FALSE(turnRed(10));
        EXPECT_FALSE(turnRed(11));
        control.handle(message(0xB0, settings.ccTempo, 127));
        control.rest();
        EXPECT_EQ(project.model().current().snapshot(), before);
        EXPECT_EQ(project.tempo(), kMaxTempo) << "heard at once";
        EXPECT_TRUE(control.holding());
    }
    Grid expected = before;
    offsetColours(expected, 2, 0, 0);
    offsetColours(expected, 2, 0, 0);
    EXPECT_EQ(project.model().current().snapshot(), expected) << "applied once the window has gone";
    EXPECT_EQ(undoStates(), states + 1) << "as one undo state";
    EXPECT_FALSE(control.holding());
    EXPECT_TRUE(turnRed(20)) << "and the controllers act again";
}

TEST_F(LiveControlTest, HeldActionsApplyInTheOrderTheyCame)
{
    project.selectPattern(2);
    project.replaceCells(distinctGrid());
    project.setPatternTempo(90);
    project.selectPattern(0);
    {
        const PatternLoan window(project);
        turnRed(10);
        control.handle(message(0xC0, 2, 0));
        control.handle(message(0xB0, settings.ccX, 40));
        control.handle(message(0xB0, settings.ccX, 42));
        control.handle(message(0xB0, settings.ccTempo, 127));
        EXPECT_EQ(project.model().currentIndex(), 0);
    }
    Grid left = distinctGrid();
    offsetColours(left, 2, 0, 0);
    Grid shown = distinctGrid();
    scroll(shown, 1, 0);
    EXPECT_EQ(project.model().slot(0), left) << "the colour moved the pattern left";
    EXPECT_EQ(project.model().currentIndex(), 2);
    EXPECT_EQ(project.model().current().snapshot(), shown) << "the scroll the one chosen after it";
    EXPECT_EQ(project.tempo(), kMaxTempo) << "the tempo came after the program change";
}

TEST_F(LiveControlTest, MovesMadeBeforeAWindowOpenedAreLeftToThatWindow)
{
    const int states = undoStates();
    turnRed(60);
    {
        const PatternLoan window(project);
        control.rest();
    }
    control.rest();
    EXPECT_EQ(undoStates(), states) << "the window records its own state, moves included";
}

} // namespace
