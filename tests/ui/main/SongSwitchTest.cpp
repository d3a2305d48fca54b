#include "support/TempDir.h"
#include "ui/controls/CCommandButton.h"
#include "ui/controls/FakePrompts.h"
#include "ui/main/MainWindowParts.h"
#include "ui/main/PatternView.h"

#include <QLabel>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

using namespace quom;

namespace {

TEST(SongSwitch, PlaysTheSongAndTheLabelShowsTheEntryAndTheQueuedPattern)
{
    TempDir dir;
    MainWindowParts parts{dir.path() + "/"};
    CQuomDlg window(parts.context());
    window.setPrompts(std::make_unique<FakePrompts>());
    const auto shown = [&] { return window.patternLabel().text(); };

    window.runCommand(CommandId::Song);
    EXPECT_FALSE(parts.transport.songOn());
    EXPECT_EQ(window.view().statusText(), "The song is empty: add patterns to it in the Song List window.");

    ASSERT_EQ(parts.project.setSong({{2, 1}, {0, 3}}), "");
    window.runCommand(CommandId::Song);
    EXPECT_TRUE(window.button(CommandId::Song)->state());
    EXPECT_EQ(shown(), "Song 1/2: Pattern 3");

    // From the entry the Song window selects.
    window.runCommand(CommandId::Song);
    window.runCommand(CommandId::SongWindow);
    auto* list = window.findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    list->setCurrentRow(1);
    window.runCommand(CommandId::Song);
    EXPECT_EQ(shown(), "Song 2/2: Pattern 1");

    // Chosen by hand, a pattern ends the song; with the setting it waits for the wrap.
    parts.settings.patternSwitch = PatternSwitch::AtPatternEnd;
    parts.transport.applySettings(parts.settings);
    parts.transport.play();
    std::vector<float> block(2 * 256);
    parts.engine.Render(256, block.data());
    QTest::keyClick(&window, Qt::Key_5, Qt::KeypadModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown() == "Pattern 1 -> 5"; }, 5000)) << shown().toStdString();
    EXPECT_FALSE(window.button(CommandId::Song)->state());
}

} // namespace
