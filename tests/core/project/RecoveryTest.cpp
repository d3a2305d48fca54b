#include "core/project/Recovery.h"

#include "core/files/ProjectFile.h"
#include "core/project/Project.h"
#include "support/TempDir.h"
#include "support/TestGrids.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

namespace {

using namespace quom;
namespace fs = std::filesystem;

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
    std::string folder() const { return dir.path() + "/"; }
    static std::string nameOf(const std::string& path) { return fs::path(path).filename().string(); }
    // A copy the writer thread has not written yet shows within a few seconds.
    bool appears(const std::string& path) const
    {
        for (int tries = 0; tries < 500 && !fs::exists(path); ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return fs::exists(path);
    }
    // What a Quom that crashed leaves: its copy, and its lock file that nobody holds.
    void leaveCrashedCopy(const std::string& stem, const Project& work, int minutesAgo) const
    {
        dir.write(stem + ".qom", work.projectBytes());
        dir.write(stem + ".lock", std::string());
        fs::last_write_time(
            dir.file(stem + ".qom"), fs::file_time_type::clock::now() - std::chrono::minutes(minutesAgo));
    }

    TempDir dir;
};

TEST_F(RecoveryTest, OnlyUnsavedWorkIsCopiedAndSavingRemovesTheCopy)
{
    Project project;
    {
        Recovery recovery(folder());
        recovery.update(project);
    }
    EXPECT_TRUE(dir.entries().empty()) << "nothing to lose, nothing written, no lock left";

    project.setCellColor(1, 2, makeCell(200, 0, 0));
    std::string copy;
    {
        Recovery recovery(folder());
        copy = recovery.path();
        recovery.update(project);
    }
    ASSERT_EQ(dir.entries(), std::vector<std::string>{nameOf(copy)}) << "the copy stays, its lock goes";
    EXPECT_EQ(dir.read(nameOf(copy)), project.projectBytes());
    fs::remove(copy);

    {
        Recovery recovery(folder());
        recovery.update(project);
        project.undo();
        recovery.update(project);
    }
    EXPECT_TRUE(dir.entries().empty()) << "the changes are gone, and so is the copy";

    project.setCellColor(1, 2, makeCell(200, 0, 0));
    {
        Recovery recovery(folder());
        project.setSavedHook([&] { recovery.discard(); });
        recovery.update(project);
        ASSERT_TRUE(project.saveProject(dir.file("song.qom")));
        project.setSavedHook({});
    }
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"song.qom"});
}

TEST_F(RecoveryTest, ARunningQuomsCopyIsItsOwnAndWrittenAgainWhenItGoes)
{
    Project work;
    work.setCellColor(1, 2, makeCell(200, 0, 0));
    Recovery running(folder());
    running.update(work);
    ASSERT_TRUE(appears(running.path()));

    {
        Recovery second(folder());
        EXPECT_NE(second.path(), running.path());
        EXPECT_FALSE(second.claimLeftCopy()) << "a copy whose Quom runs is not offered";
        second.update(Project());
    }
    EXPECT_TRUE(fs::exists(running.path())) << "nor removed by another Quom";

    // Removed from outside, unchanged work is still copied again.
    fs::remove(running.path());
    running.update(work);
    EXPECT_TRUE(appears(running.path()));
}

TEST_F(RecoveryTest, CopiesOfQuomsNowGoneAreClaimedNewestFirstByOneStartAtATime)
{
    Project older;
    older.setTempo(90);
    Project newer;
    newer.replaceCells(distinctGrid());
    dir.write("recovery.qom", older.projectBytes()); // a copy from before copies had owners
    fs::last_write_time(dir.file("recovery.qom"), fs::file_time_type::clock::now() - std::chrono::minutes(9));
    leaveCrashedCopy("recovery-12-34", newer, 1);
    dir.write("recovery-56-78.lock", std::string()); // crashed with nothing to copy

    Recovery first(folder());
    ASSERT_TRUE(first.claimLeftCopy());
    EXPECT_EQ(first.leftPath(), dir.file("recovery-12-34.qom"));
    {
        Recovery second(folder());
        ASSERT_TRUE(second.claimLeftCopy()) << "the newest is claimed: the older one is next";
        EXPECT_EQ(second.leftPath(), dir.file("recovery.qom"));
        second.discardLeft();
        EXPECT_FALSE(second.claimLeftCopy());
    }
    EXPECT_FALSE(dir.exists("recovery.qom"));

    Project project;
    ASSERT_TRUE(first.restoreLeft(project));
    EXPECT_EQ(project.model().current().snapshot(), distinctGrid());
    EXPECT_TRUE(project.hasUnsavedChanges());
    EXPECT_EQ(first.leftPath(), "");
    EXPECT_FALSE(first.claimLeftCopy());
    EXPECT_EQ(dir.read(nameOf(first.path())), newer.projectBytes()) << "the copy is this run's now";
    const std::string stem = nameOf(first.path()).substr(0, nameOf(first.path()).size() - 4);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{stem + ".lock", stem + ".qom"}))
        << "the crashed Quoms' locks are gone";
}

TEST_F(RecoveryTest, ACopyThatCannotBeReadIsRemoved)
{
    dir.write("recovery-12-34.qom", std::string("damaged"));
    Recovery recovery(folder());
    ASSERT_TRUE(recovery.claimLeftCopy());
    Project project;
    EXPECT_FALSE(recovery.restoreLeft(project));
    EXPECT_FALSE(dir.exists("recovery-12-34.qom"));
    EXPECT_FALSE(fs::exists(recovery.path()));
    EXPECT_FALSE(project.hasUnsavedChanges());
}

TEST_F(RecoveryTest, ACopyThatCannotBeWrittenIsReported)
{
    Project project;
    project.setCellColor(0, 0, makeCell(1, 1, 1));
    Recovery recovery(dir.file("missing/"));
    recovery.update(project);
    std::optional<std::string> failure;
    for (int tries = 0; tries < 500 && !failure; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        failure = recovery.takeFailure();
    }
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("missing/recovery-"), std::string::npos);
    EXPECT_FALSE(recovery.takeFailure()) << "said once";
}

} // namespace
