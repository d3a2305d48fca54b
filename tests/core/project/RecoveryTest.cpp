#include "core/project/Recovery.h"

#include "core/files/ProjectFile.h"
#include "core/project/Project.h"
#include "support/TempDir.h"
#include "support/TestGrids.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

namespace {

using namespace quom;

TEST(UnsavedChanges, FollowTheProjectNotTheCommands)
{
    TempDir dir;
    Project project;
    int kept = 0;
    project.setSavedHook([&] { ++kept; });
    EXPECT_FALSE(project.hasUnsavedChanges()) << "a fresh start has nothing to lose";

    project.setCellColor(3, 4, makeCell(9, 9, 9));
    EXPECT_TRUE(project.hasUnsavedChanges());
    project.undo();
    EXPECT_FALSE(project.hasUnsavedChanges()) << "an edit undone is no change";

    project.setTempo(99);
    EXPECT_TRUE(project.hasUnsavedChanges()) << "the tempo that plays is saved";
    project.setTempo(kDefaultTempo);
    project.selectPattern(5);
    EXPECT_FALSE(project.hasUnsavedChanges()) << "looking at another pattern changes nothing";

    auto kit = std::make_shared<CKit>(*project.kit());
    kit->slot(2).name = "snare.wav";
    project.setKit(kit);
    EXPECT_TRUE(project.hasUnsavedChanges()) << "the kit's slots are part of the project";

    ASSERT_TRUE(project.saveProject(dir.file("song.qom")));
    EXPECT_FALSE(project.hasUnsavedChanges());
    EXPECT_EQ(kept, 1);

    project.replaceCells(distinctGrid());
    ASSERT_TRUE(project.loadProject(dir.file("song.qom")));
    EXPECT_FALSE(project.hasUnsavedChanges());
    project.replaceCells(distinctGrid());
    project.newProject();
    EXPECT_FALSE(project.hasUnsavedChanges());
    EXPECT_EQ(kept, 3);

    EXPECT_FALSE(project.saveProject(dir.file("missing/song.qom")));
    EXPECT_FALSE(project.loadProject(dir.file("missing.qom")));
    EXPECT_EQ(kept, 3) << "only what succeeds keeps the project";
}

TEST(UnsavedChanges, TheFileIsTheOneLastSavedOrLoadedAndNoneForNewOrRestoredWork)
{
    TempDir dir;
    Project project;
    ASSERT_TRUE(project.saveProject(dir.file("song.qom")));
    EXPECT_FALSE(project.saveProject(dir.file("missing/other.qom")));
    EXPECT_EQ(project.filePath(), dir.file("song.qom")) << "a failure keeps the file";
    ASSERT_TRUE(project.restoreProject(dir.file("song.qom")));
    EXPECT_EQ(project.filePath(), "");
    ASSERT_TRUE(project.loadProject(dir.file("song.qom")));
    project.newProject();
    EXPECT_EQ(project.filePath(), "");
}

TEST(UnsavedChanges, TheProjectBytesAreWhatSaveWritesWithoutStoringAnything)
{
    TempDir dir;
    Project project;
    project.selectPattern(2);
    project.replaceCells(distinctGrid());
    project.setTempo(77);

    const auto bytes = project.projectBytes();
    EXPECT_EQ(project.model().tempo(2), kDefaultTempo) << "the slot is not stored";
    const auto file = parseProjectFile(bytes, "copy");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->tempos[2], 77);
    EXPECT_EQ(file->patterns[2], distinctGrid());

    ASSERT_TRUE(project.saveProject(dir.file("song.qom")));
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
    Project project;
    {
        Recovery recovery(copyPath());
        recovery.update(project);
    }
    EXPECT_FALSE(copied()) << "nothing to lose, nothing written";

    project.setCellColor(1, 2, makeCell(200, 0, 0));
    {
        Recovery recovery(copyPath());
        recovery.update(project);
    }
    ASSERT_TRUE(copied());
    EXPECT_EQ(dir.read("recovery.qom"), project.projectBytes());

    {
        Recovery recovery(copyPath());
        recovery.update(project);
        project.undo();
        recovery.update(project);
    }
    EXPECT_FALSE(copied()) << "the changes are gone, and so is the copy";

    project.setCellColor(1, 2, makeCell(200, 0, 0));
    {
        Recovery recovery(copyPath());
        project.setSavedHook([&] { recovery.discard(); });
        recovery.update(project);
        ASSERT_TRUE(project.saveProject(dir.file("song.qom")));
        project.setSavedHook({});
    }
    EXPECT_FALSE(copied());
}

TEST_F(RecoveryTest, ACopyThatCannotBeWrittenIsReported)
{
    Project project;
    project.setCellColor(0, 0, makeCell(1, 1, 1));
    Recovery recovery(dir.file("missing/recovery.qom"));
    recovery.update(project);
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
