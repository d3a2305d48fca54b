#include "core/files/PatternFile.h"
#include "core/files/ProjectFile.h"
#include "support/RunQuom.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quom {
namespace {

TEST(ApplySong, SetsAndClearsAProjectsSongKeepingTheRestAndInfoShowsIt)
{
    TempDir dir;
    ProjectFileData project;
    project.tempos[3] = 133;
    project.slots[2] = {"/s/kick.wav", true, false, 5, 90, 2}; // keys kept as stored
    ASSERT_TRUE(writeProjectFile(dir.file("in.qom"), project));

    auto run = runQuom({"apply", dir.file("in.qom"), "song=1*4,16,3*99", "-o", dir.file("song.qom")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    auto read = readProjectFile(dir.file("song.qom"));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->song, (Song{{0, 4}, {15, 1}, {2, 99}}));
    project.song = read->song;
    EXPECT_EQ(encodeProjectFile(*read), encodeProjectFile(project));

    run = runQuom({"info", dir.file("song.qom"), "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find(R"("song":"1*4,16,3*99"})"), std::string::npos);

    run = runQuom({"apply", dir.file("song.qom"), "song=", "-o", dir.file("none.qom")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    project.song.clear();
    EXPECT_EQ(*readRegularFile(dir.file("none.qom"), kProjectFileKind), encodeProjectFile(project));
    run = runQuom({"info", dir.file("none.qom"), "--json"});
    EXPECT_EQ(run.out.find("song"), std::string::npos);
}

TEST(ApplySong, RefusesABadSongOrOneForAPattern)
{
    TempDir dir;
    ASSERT_TRUE(writeProjectFile(dir.file("in.qom"), ProjectFileData{}));
    ASSERT_TRUE(writePatternFile(dir.file("in.pat"), PatternFileData{}));
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* message;
    };
    const Case cases[] = {
        {{"apply", dir.file("in.qom"), "song=17", "-o", dir.file("o.qom")}, 2,
            "quom apply: song=: song entry 1 names pattern 17, outside 1-16\n"},
        {{"apply", dir.file("in.qom"), "song=1*100", "-o", dir.file("o.qom")}, 2,
            "quom apply: song=: song entry 1 repeats 100 times, outside 1-99\n"},
        {{"apply", dir.file("in.qom"), "song=1", "revx", "-o", dir.file("o.qom")}, 2,
            "quom apply: a project takes song= and no pattern operation\n"},
        {{"apply", dir.file("in.pat"), "song=1", "-o", dir.file("o.pat")}, 1, "song= needs a project"},
    };
    for (const Case& c : cases) {
        const auto run = runQuom(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.qom")));
}

} // namespace
} // namespace quom
