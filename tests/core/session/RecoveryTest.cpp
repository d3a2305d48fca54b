#include "core/session/Recovery.h"

#include "core/audio/Engine.h"
#include "core/files/ProjectFile.h"
#include "core/session/Session.h"
#include "support/TempDir.h"
#include "support/TestGrids.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

namespace {

using namespace quom;

// One run of the program: an engine, and the session on it.
struct ProgramRun {
    Engine engine;
    Session session{engine};
};

TEST(UnsavedChanges, FollowTheProjectNotTheCommands)
{
    TempDir dir;
    ProgramRun run;
    Session& session = run.session;
    int kept = 0;
    session.setSavedHook([&] { ++kept; });
    EXPECT_FALSE(session.hasUnsavedChanges()) << "a fresh start has nothing to lose";

    session.setCellColor(3, 4, makeCell(9, 9, 9));
    EXPECT_TRUE(session.hasUnsavedChanges());
    session.undo();
    EXPECT_FALSE(session.hasUnsavedChanges()) << "an edit undone is no change";

    session.setTempo(99);
    EXPECT_TRUE(session.hasUnsavedChanges()) << "the tempo that plays is saved";
    session.setTempo(kDefaultTempo);
    session.selectPattern(5);
    EXPECT_FALSE(session.hasUnsavedChanges()) << "looking at another pattern changes nothing";

    auto kit = std::make_shared<CKit>(*session.kit());
    kit->slot(2).name = "snare.wav";
    session.setKit(kit);
    EXPECT_TRUE(session.hasUnsavedChanges()) << "the kit's slots are part of the project";

    ASSERT_TRUE(session.saveProject(dir.file("song.qom")));
    EXPECT_FALSE(session.hasUnsavedChanges());
    EXPECT_EQ(kept, 1);

    session.replaceCells(distinctGrid());
    ASSERT_TRUE(session.loadProject(dir.file("song.qom")));
    EXPECT_FALSE(session.hasUnsavedChanges());
    session.replaceCells(distinctGrid());
    session.newProject();
    EXPECT_FALSE(session.hasUnsavedChanges());
    EXPECT_EQ(kept, 3);

    EXPECT_FALSE(session.saveProject(dir.file("missing/song.qom")));
    EXPECT_FALSE(session.loadProject(dir.file("missing.qom")));
    EXPECT_EQ(kept, 3) << "only what succeeds keeps the project";
}

TEST(UnsavedChanges, TheProjectBytesAreWhatSaveWritesWithoutStoringAnything)
{
    TempDir dir;
    ProgramRun run;
    Session& session = run.session;
    session.selectPattern(2);
    session.replaceCells(distinctGrid());
    session.setTempo(77);

    const auto bytes = session.projectBytes();
    EXPECT_EQ(session.model().tempo(2), kDefaultTempo) << "the slot is not stored";
    const auto project = parseProjectFile(bytes, "copy");
    ASSERT_TRUE(project);
    EXPECT_EQ(project->tempos[2], 77);
    EXPECT_EQ(project->patterns[2], distinctGrid());

    ASSERT_TRUE(session.saveProject(dir.file("song.qom")));
    EXPECT_EQ(dir.read("song.qom"), bytes);
}

class RecoveryTest : public ::testing::Test {
protected:
    std::string copyPath() const { return recoveryPathIn(dir.path() + "/"); }
    bool copied() const { return dir.exists("recovery.qom"); }

    TempDir dir;
};

TEST_F(RecoveryTest, OnlyUnsavedWorkIsCopiedAndSavingRemovesTheCopy)
{
    ProgramRun run;
    {
        Recovery recovery(copyPath());
        recovery.update(run.session);
    }
    EXPECT_FALSE(copied()) << "nothing to lose, nothing written";

    run.session.setCellColor(1, 2, makeCell(200, 0, 0));
    {
        Recovery recovery(copyPath());
        recovery.update(run.session);
    }
    ASSERT_TRUE(copied());
    EXPECT_EQ(dir.read("recovery.qom"), run.session.projectBytes());

    {
        Recovery recovery(copyPath());
        recovery.update(run.session);
        run.session.undo();
        recovery.update(run.session);
    }
    EXPECT_FALSE(copied()) << "the changes are gone, and so is the copy";

    run.session.setCellColor(1, 2, makeCell(200, 0, 0));
    {
        Recovery recovery(copyPath());
        run.session.setSavedHook([&] { recovery.discard(); });
        recovery.update(run.session);
        ASSERT_TRUE(run.session.saveProject(dir.file("song.qom")));
        run.session.setSavedHook({});
    }
    EXPECT_FALSE(copied());
}

TEST_F(RecoveryTest, ACopyThatCannotBeWrittenIsReported)
{
    ProgramRun run;
    run.session.setCellColor(0, 0, makeCell(1, 1, 1));
    Recovery recovery(dir.file("missing/recovery.qom"));
    recovery.update(run.session);
    std::optional<std::string> failure;
    for (int tries = 0; tries < 500 && !failure; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        failure = recovery.takeFailure();
    }
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("missing/recovery.qom"), std::string::npos);
    EXPECT_FALSE(recovery.takeFailure()) << "said once";
}

} // namespace
