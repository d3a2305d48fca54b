#include "ui/main/RecoveryOffer.h"

#include "core/audio/Engine.h"
#include "core/session/Recovery.h"
#include "core/session/Session.h"
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
        Engine engine;
        Session crashed(engine);
        crashed.replaceCells(distinctGrid());
        Recovery recovery(copyPath());
        recovery.update(crashed);
    }

    std::string copyPath() const { return recoveryPathIn(dir.path() + "/"); }

    TempDir dir;
    Engine engine;
    Session session{engine};
    FakePrompts prompts;
};

TEST_F(RecoveryOffer, YesRestoresTheWorkAsUnsaved)
{
    {
        Recovery recovery(copyPath());
        offerRecovery(nullptr, prompts, recovery, session);
        EXPECT_TRUE(recovery.found()) << "the copy stays until the work is saved";
        std::filesystem::remove(copyPath());
        recovery.update(session);
    }
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0], "Restore the work that was not saved?");
    EXPECT_EQ(session.model().current().snapshot(), distinctGrid());
    EXPECT_TRUE(session.hasUnsavedChanges());
    EXPECT_TRUE(dir.exists("recovery.qom")) << "restored work is copied again, unchanged";
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(RecoveryOffer, NoRemovesTheCopyAndWithoutOneNothingIsAsked)
{
    prompts.answer = false;
    {
        Recovery recovery(copyPath());
        offerRecovery(nullptr, prompts, recovery, session);
    }
    EXPECT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(countNotes(session.model().current().snapshot()), 0);
    EXPECT_FALSE(dir.exists("recovery.qom"));

    Recovery recovery(copyPath());
    offerRecovery(nullptr, prompts, recovery, session);
    EXPECT_EQ(prompts.questions.size(), 1u) << "asked once only, when there is a copy";
}

TEST_F(RecoveryOffer, ACopyThatCannotBeReadIsSaidAndRemoved)
{
    dir.write("recovery.qom", std::string("damaged"));
    {
        Recovery recovery(copyPath());
        offerRecovery(nullptr, prompts, recovery, session);
    }
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].contains(QString::fromStdString(copyPath())));
    EXPECT_FALSE(dir.exists("recovery.qom"));
    EXPECT_FALSE(session.hasUnsavedChanges());
}

} // namespace
