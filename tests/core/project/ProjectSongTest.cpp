#include "core/files/ProjectFile.h"
#include "core/operations/SongText.h"
#include "core/project/Project.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <variant>

namespace {

using namespace quom;

struct HeardSongs final : ProjectListener {
    void songChanged() override { ++songs; }
    int songs = 0;
};

TEST(ProjectSong, EachSongEditIsOneUndoStepAndABadSongChangesNothing)
{
    Project project;
    HeardSongs heard;
    project.addListener(&heard);
    project.selectPattern(3); // an empty history: the first song edit is still undoable
    const Song first{{0, 2}, {3, 1}};
    const Song second{{0, 2}, {3, 1}, {15, 99}};
    EXPECT_EQ(project.setSong(first), "");
    EXPECT_EQ(project.setSong(second), "");
    EXPECT_EQ(heard.songs, 2);
    EXPECT_TRUE(project.hasUnsavedChanges());

    EXPECT_EQ(project.setSong({{16, 1}}), "song entry 1 names pattern 17, outside 1-16");
    EXPECT_EQ(project.setSong({{0, 1}, {0, 0}}), "song entry 2 repeats 0 times, outside 1-99");
    EXPECT_EQ(project.setSong(Song(kMaxSongEntries + 1)), "the song has 257 entries, more than 256");
    EXPECT_EQ(project.song(), second);

    project.undo();
    EXPECT_EQ(project.song(), first);
    project.undo();
    EXPECT_TRUE(project.song().empty());
    project.redo();
    EXPECT_EQ(project.song(), first);
    EXPECT_EQ(heard.songs, 5);
    project.setCellColor(1, 1, makeCell(9, 9, 9));
    project.undo();
    EXPECT_EQ(project.song(), first) << "undoing a cell leaves the song";

    project.newProject();
    EXPECT_TRUE(project.song().empty());
    project.removeListener(&heard);
}

TEST(ProjectSong, SongIsSavedLoadedAndADamagedSectionIsReportedWithThePatterns)
{
    TempDir dir;
    Project project;
    project.setSong({{2, 4}, {0, 1}});
    project.selectPattern(2);
    project.setCellColor(5, 5, makeCell(1, 2, 3));
    ASSERT_TRUE(project.saveProject(dir.file("s.qom")));

    Project other;
    auto loaded = other.loadProject(dir.file("s.qom"));
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(loaded->empty());
    EXPECT_EQ(other.song(), (Song{{2, 4}, {0, 1}}));
    EXPECT_FALSE(other.hasUnsavedChanges());

    // The section's length cut by one: the patterns still load, the song does not.
    auto bytes = other.projectBytes();
    bytes.pop_back();
    loaded = other.loadProject(bytes, "cut.qom", SampleLoading::Skip);
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->size(), 1u);
    EXPECT_EQ((*loaded)[0].message(), "cut.qom: a section is longer than the rest of the file");
    EXPECT_TRUE(other.song().empty());
    EXPECT_EQ(other.model().slot(2)[cellIndex(5, 5)], makeCell(1, 2, 3));
}

TEST(SongText, ReadsAndWritesTheCommandLinesForm)
{
    const auto song = parseSongText("1*4,16,3*99");
    ASSERT_TRUE(std::holds_alternative<Song>(song));
    EXPECT_EQ(std::get<Song>(song), (Song{{0, 4}, {15, 1}, {2, 99}}));
    EXPECT_EQ(songText(std::get<Song>(song)), "1*4,16,3*99");
    EXPECT_TRUE(std::get<Song>(parseSongText("")).empty());

    for (const char* bad : {"0", "17*2", "1*0", "1*100", "1*", "*2", "1,,2", " 1", "1*2*3"})
        EXPECT_TRUE(std::holds_alternative<std::string>(parseSongText(bad))) << bad;
    EXPECT_EQ(
        std::get<std::string>(parseSongText("2,x")), "song entry 2 'x' is not PATTERN or PATTERN*REPEATS");
    std::string tooMany = "1";
    for (std::size_t i = 0; i < kMaxSongEntries; ++i)
        tooMany += ",1";
    EXPECT_EQ(std::get<std::string>(parseSongText(tooMany)), "the song has 257 entries, more than 256");
}

} // namespace
