#include "ui/song/CSongDlg.h"
#include "core/transport/Transport.h"
#include "support/TempDir.h"
#include "ui/controls/PatternThumbnail.h"
#include "ui/main/MainWindowParts.h"

#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

using namespace quom;

namespace {

class SongWindow : public ::testing::Test {
protected:
    QPushButton& button(const char* name) { return *window.findChild<QPushButton*>(QString::fromUtf8(name)); }
    void click(const char* name) { QTest::mouseClick(&button(name), Qt::LeftButton); }
    QListWidget& entries() { return *window.findChild<QListWidget*>(QStringLiteral("entries")); }
    QSpinBox& repeats() { return *window.findChild<QSpinBox*>(QStringLiteral("repeats")); }
    QString text(int row) { return entries().item(row)->text(); }
    QImage icon(int row)
    {
        return entries()
            .item(row)
            ->icon()
            .pixmap(kThumbnailSize)
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }

    Project project;
    Transport transport{project};
    CSongDlg window{project, transport};
};

TEST_F(SongWindow, EachEditMakesTheSongExpectedAndUndoTakesItBackOneStepAtATime)
{
    project.selectPattern(5);
    ASSERT_EQ(project.setSong({{0, 1}, {1, 2}, {2, 3}}), "");
    ASSERT_EQ(entries().count(), 3);
    EXPECT_EQ(text(1), "Pattern 2 x 2");
    EXPECT_EQ(window.selectedEntry(), -1);
    EXPECT_FALSE(button("remove").isEnabled());
    EXPECT_FALSE(repeats().isEnabled());

    std::vector<Song> before;
    const auto edit = [&](auto act) {
        before.push_back(project.song());
        act();
    };
    entries().setCurrentRow(1);
    edit([&] { click("add"); });
    EXPECT_EQ(project.song(), (Song{{0, 1}, {1, 2}, {5, 1}, {2, 3}}))
        << "the current pattern after the selected";
    EXPECT_EQ(window.selectedEntry(), 2);
    edit([&] { click("up"); });
    EXPECT_EQ(project.song(), (Song{{0, 1}, {5, 1}, {1, 2}, {2, 3}}));
    EXPECT_EQ(window.selectedEntry(), 1);
    edit([&] { click("down"); });
    edit([&] { click("down"); });
    EXPECT_EQ(project.song(), (Song{{0, 1}, {1, 2}, {2, 3}, {5, 1}}));
    EXPECT_EQ(window.selectedEntry(), 3);
    EXPECT_FALSE(button("down").isEnabled());
    edit([&] { repeats().setValue(99); });
    EXPECT_EQ(project.song().back(), (SongEntry{5, 99}));
    EXPECT_EQ(text(3), "Pattern 6 x 99");
    entries().setCurrentRow(0);
    EXPECT_EQ(repeats().value(), 1);
    EXPECT_FALSE(button("up").isEnabled());
    edit([&] { click("remove"); });
    EXPECT_EQ(project.song(), (Song{{1, 2}, {2, 3}, {5, 99}}));
    EXPECT_EQ(window.selectedEntry(), 0);

    while (!before.empty()) {
        project.undo();
        EXPECT_EQ(project.song(), before.back());
        ASSERT_EQ(entries().count(), static_cast<int>(before.back().size()));
        EXPECT_EQ(text(0), "Pattern 1 x 1") << "the list follows the undo";
        before.pop_back();
    }

    // Nothing selected: Add appends.
    entries().setCurrentRow(-1);
    click("add");
    EXPECT_EQ(project.song().back(), (SongEntry{5, 1}));
    EXPECT_EQ(window.selectedEntry(), 3);
}

TEST_F(SongWindow, TheListFollowsALoadedProjectThePatternsCellsAndTheEntryPlaying)
{
    TempDir dir;
    ASSERT_EQ(project.setSong({{2, 4}}), "");
    ASSERT_TRUE(project.saveProject(dir.file("song.qom")));
    ASSERT_EQ(project.setSong({{0, 1}, {0, 1}}), "");
    ASSERT_TRUE(project.loadProject(dir.file("song.qom")));
    ASSERT_EQ(entries().count(), 1);
    EXPECT_EQ(text(0), "Pattern 3 x 4");

    // Pattern 3's cells, painted while it is current, redraw its thumbnail as the Patterns
    // window draws it.
    ASSERT_EQ(project.setSong({{2, 1}, {0, 1}, {2, 2}}), "");
    project.selectPattern(2);
    const QImage blank = icon(0);
    project.setCellColor(3, 4, makeCell(200, 10, 20));
    const QImage painted = thumbnailOf(project.model().current().snapshot());
    EXPECT_NE(painted, blank);
    EXPECT_EQ(icon(0), painted);
    EXPECT_EQ(icon(2), painted);
    EXPECT_EQ(icon(1), blank);

    transport.playSong(1);
    window.show();
    EXPECT_EQ(window.markedEntry(), 1);
    EXPECT_TRUE(entries().item(1)->font().bold());
    transport.stopSong();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.markedEntry() == -1; }));
    EXPECT_FALSE(entries().item(1)->font().bold());
}

TEST_F(SongWindow, AddIsRefusedAtTheLongestSong)
{
    ASSERT_EQ(project.setSong(Song(kMaxSongEntries, SongEntry{})), "");
    EXPECT_FALSE(button("add").isEnabled());
    entries().setCurrentRow(kMaxSongEntries - 1);
    click("remove");
    EXPECT_EQ(project.song().size(), kMaxSongEntries - 1);
    EXPECT_TRUE(button("add").isEnabled());
}

TEST(SongWindowOfTheMainWindow, OneWindowOpensAgainAndTheMainWindowsUndoTakesBackItsEdit)
{
    TempDir dir;
    MainWindowParts parts{dir.path() + "/"};
    CQuomDlg main(parts.context());
    main.show();
    main.runCommand(CommandId::SongWindow);
    main.runCommand(CommandId::SongWindow);
    const auto windows = main.findChildren<CSongDlg*>();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_TRUE(windows[0]->isVisible());
    EXPECT_EQ(windows[0]->windowTitle(), "Song");

    QTest::mouseClick(windows[0]->findChild<QPushButton*>(QStringLiteral("add")), Qt::LeftButton);
    EXPECT_EQ(parts.project.song(), (Song{{0, 1}}));
    main.runCommand(CommandId::Undo);
    EXPECT_TRUE(parts.project.song().empty());
    EXPECT_EQ(windows[0]->findChild<QListWidget*>()->count(), 0);
}

} // namespace
