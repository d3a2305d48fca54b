#include "ui/main/RecoveryOffer.h"

#include "core/project/Project.h"
#include "core/project/Recovery.h"
#include "core/transport/Transport.h"
#include "support/TempDir.h"
#include "support/TestGrids.h"
#include "ui/controls/FakePrompts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

using namespace quom;

class RecoveryOffer : public ::testing::Test {
protected:
    // Work a Quom left when it ended: a painted pattern copied, never saved.
    RecoveryOffer()
    {
        Project crashed;
        crashed.replaceCells(distinctGrid());
        Recovery recovery(folder());
        recovery.update(crashed);
        left = recovery.path();
    }

    std::string folder() const { return dir.path() + "/"; }
    bool anyCopy() const
    {
        return std::ranges::any_of(
            dir.entries(), [](const std::string& name) { return name.ends_with(".qom"); });
    }

    TempDir dir;
    std::string left;
    Project project;
    Transport transport{project};
    Engine& engine = transport.engine();
    FakePrompts prompts;
};

TEST_F(RecoveryOffer, YesRestoresTheWorkAsUnsavedInThisRunsCopy)
{
    std::string own;
    {
        Recovery recovery(folder());
        own = recovery.path();
        offerRecovery(nullptr, prompts, recovery, project, transport, {});
        EXPECT_TRUE(std::filesystem::exists(own)) << "the copy stays until the work is saved";
        EXPECT_FALSE(std::filesystem::exists(left));
        std::filesystem::remove(own);
        recovery.update(project);
    }
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0], "Restore the work that was not saved?");
    EXPECT_EQ(project.model().current().snapshot(), distinctGrid());
    EXPECT_TRUE(project.hasUnsavedChanges());
    EXPECT_TRUE(std::filesystem::exists(own)) << "restored work is copied again, unchanged";
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(RecoveryOffer, NoRemovesEachCopyInTurnAndWithoutOneNothingIsAsked)
{
    {
        Project alsoCrashed;
        alsoCrashed.setTempo(90);
        Recovery recovery(folder());
        recovery.update(alsoCrashed);
    }
    prompts.answer = false;
    {
        Recovery recovery(folder());
        offerRecovery(nullptr, prompts, recovery, project, transport, {});
    }
    EXPECT_EQ(prompts.questions.size(), 2u);
    EXPECT_EQ(countNotes(project.model().current().snapshot()), 0);
    EXPECT_FALSE(anyCopy());

    Recovery recovery(folder());
    offerRecovery(nullptr, prompts, recovery, project, transport, {});
    EXPECT_EQ(prompts.questions.size(), 2u) << "asked only when there is a copy";
}

TEST_F(RecoveryOffer, AFileOpenedAtStartIsNamedAndNoKeepsIt)
{
    ASSERT_TRUE(project.saveProject(dir.file("song.qom")));
    prompts.answer = false;
    {
        Recovery recovery(folder());
        offerRecovery(
            nullptr, prompts, recovery, project, transport, QString::fromStdString(dir.file("song.qom")));
    }
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_TRUE(prompts.questions[0].contains(u"Yes: restore that work in place of song.qom"));
    EXPECT_TRUE(prompts.questions[0].contains(u"No: keep song.qom and delete"));
    EXPECT_EQ(project.filePath(), dir.file("song.qom"));
    EXPECT_FALSE(std::filesystem::exists(left));
}

TEST_F(RecoveryOffer, ACopyThatCannotBeReadIsSaidAndRemoved)
{
    dir.write(std::filesystem::path(left).filename().string(), std::string("damaged"));
    {
        Recovery recovery(folder());
        offerRecovery(nullptr, prompts, recovery, project, transport, {});
    }
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].contains(QString::fromStdString(left)));
    EXPECT_FALSE(anyCopy());
    EXPECT_FALSE(project.hasUnsavedChanges());
}

} // namespace
