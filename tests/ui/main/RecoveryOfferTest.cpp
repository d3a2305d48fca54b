#include "ui/main/RecoveryOffer.h"

#include "core/project/Project.h"
#include "core/project/Recovery.h"
#include "core/transport/Transport.h"
#include "support/TempDir.h"
#include "support/TestGrids.h"
#include "ui/controls/FakePrompts.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace quom;

class RecoveryOffer : public ::testing::Test {
protected:
    // Work a crashed run left: a painted pattern copied, never saved.
    RecoveryOffer()
    {
        Project crashed;
        crashed.replaceCells(distinctGrid());
        Recovery recovery(copyPath());
        recovery.update(crashed);
    }

    std::string copyPath() const { return recoveryPathIn(dir.path() + "/"); }

    TempDir dir;
    Project project;
    Transport transport{project};
    Engine& engine = transport.engine();
    FakePrompts prompts;
};

TEST_F(RecoveryOffer, YesRestoresTheWorkAsUnsaved)
{
    {
        Recovery recovery(copyPath());
        offerRecovery(nullptr, prompts, recovery, project, transport, {});
        EXPECT_TRUE(recovery.found()) << "the copy stays until the work is saved";
        std::filesystem::remove(copyPath());
        recovery.update(project);
    }
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0], "Restore the work that was not saved?");
    EXPECT_EQ(project.model().current().snapshot(), distinctGrid());
    EXPECT_TRUE(project.hasUnsavedChanges());
    EXPECT_TRUE(dir.exists("recovery.qom")) << "restored work is copied again, unchanged";
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(RecoveryOffer, NoRemovesTheCopyAndWithoutOneNothingIsAsked)
{
    prompts.answer = false;
    {
        Recovery recovery(copyPath());
        offerRecovery(nullptr, prompts, recovery, project, transport, {});
    }
    EXPECT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(countNotes(project.model().current().snapshot()), 0);
    EXPECT_FALSE(dir.exists("recovery.qom"));

    Recovery recovery(copyPath());
    offerRecovery(nullptr, prompts, recovery, project, transport, {});
    EXPECT_EQ(prompts.questions.size(), 1u) << "asked once only, when there is a copy";
}

TEST_F(RecoveryOffer, AFileOpenedAtStartIsNamedAndNoKeepsIt)
{
    ASSERT_TRUE(project.saveProject(dir.file("song.qom")));
    prompts.answer = false;
    {
        Recovery recovery(copyPath());
        offerRecovery(
            nullptr, prompts, recovery, project, transport, QString::fromStdString(dir.file("song.qom")));
    }
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_TRUE(prompts.questions[0].contains(u"Yes: restore that work in place of song.qom"));
    EXPECT_TRUE(prompts.questions[0].contains(u"No: keep song.qom and delete"));
    EXPECT_EQ(project.filePath(), dir.file("song.qom"));
    EXPECT_FALSE(dir.exists("recovery.qom"));
}

TEST_F(RecoveryOffer, ACopyThatCannotBeReadIsSaidAndRemoved)
{
    dir.write("recovery.qom", std::string("damaged"));
    {
        Recovery recovery(copyPath());
        offerRecovery(nullptr, prompts, recovery, project, transport, {});
    }
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].contains(QString::fromStdString(copyPath())));
    EXPECT_FALSE(dir.exists("recovery.qom"));
    EXPECT_FALSE(project.hasUnsavedChanges());
}

} // namespace
