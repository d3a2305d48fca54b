#include "core/files/PatternFile.h"
#include "core/files/ProjectFile.h"
#include "support/RunQuom.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace quom {
namespace {

// The 4096 numbers of a grid that is black but for the given cells.
std::string cellsJson(const std::map<int, std::uint32_t>& painted)
{
    std::string s = "[";
    for (int i = 0; i < kCells; ++i) {
        const auto it = painted.find(i);
        if (i > 0)
            s += ',';
        s += std::to_string(it == painted.end() ? 0u : it->second);
    }
    return s + "]";
}

TEST(InfoPatterns, DescribesAPatternFileWithItsTempoAsStored)
{
    TempDir dir;
    PatternFileData pattern;
    pattern.tempo = 0;
    pattern.cells[cellIndex(1, 2)] = makeCell(255, 255, 255);
    pattern.cells[cellIndex(63, 0)] = makeCell(1, 0, 0);
    ASSERT_TRUE(writePatternFile(dir.file("p.qom"), pattern)); // the name does not matter

    const auto run = runQuom({"info", dir.file("p.qom"), "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
        "{\"type\":\"pattern\",\"tempo\":0,\"cells\":" + cellsJson({{66, 16777215}, {4032, 1}}) + "}\n");
}

TEST(InfoPatterns, ATempoFieldIsReportedUnsigned)
{
    TempDir dir;
    auto bytes = encodePatternFile(PatternFileData{});
    std::fill(bytes.begin() + 12, bytes.begin() + 16, 0xFF);
    dir.write("p.pat", bytes);

    const auto run = runQuom({"info", dir.file("p.pat"), "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "{\"type\":\"pattern\",\"tempo\":4294967295,\"cells\":" + cellsJson({}) + "}\n");
}

TEST(InfoPatterns, DescribesAProjectsPatternsAndKit)
{
    TempDir dir;
    ProjectFileData project;
    for (int s = 0; s < kPatternSlots; ++s)
        project.tempos[s] = 200 + s;
    project.patterns[15][cellIndex(0, 63)] = makeCell(0, 0, 2);
    project.slots[0] = {"C:\\W\\a \"b\".wav", true, false, 5, 6, 7};
    project.slots[63] = {"/w/z.wav", false, true, 0, 127, 0};
    ASSERT_TRUE(writeProjectFile(dir.file("song"), project));

    const auto run = runQuom({"info", "--json", dir.file("song")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::string expected = "{\"type\":\"project\",\"patterns\":[";
    for (int s = 0; s < kPatternSlots; ++s) {
        expected += s > 0 ? ",{" : "{";
        expected += "\"tempo\":" + std::to_string(200 + s) + ",\"cells\":"
            + cellsJson(
                s == 15 ? std::map<int, std::uint32_t>{{63, 0x20000}} : std::map<int, std::uint32_t>{})
            + "}";
    }
    expected += "],\"kit\":[{\"sample\":\"C:\\\\W\\\\a \\\"b\\\".wav\",\"loop\":true,\"fade\":false}";
    for (int i = 1; i < 63; ++i)
        expected += ",{\"sample\":\"not used\",\"loop\":false,\"fade\":false}";
    expected += ",{\"sample\":\"/w/z.wav\",\"loop\":false,\"fade\":true}]}\n";
    EXPECT_EQ(run.out, expected);
}

TEST(InfoPatterns, DamagedFilesAreRefusedInOneLine)
{
    TempDir dir;
    auto project = encodeProjectFile(ProjectFileData{});
    project.pop_back();
    dir.write("short.qom", project);
    auto pattern = encodePatternFile(PatternFileData{});
    pattern.resize(100);
    dir.write("short.pat", pattern);

    for (const std::string name : {"short.qom", "short.pat"}) {
        const auto run = runQuom({"info", dir.file(name), "--json"});
        EXPECT_EQ(run.exitCode, 1) << name;
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find(dir.file(name)), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

} // namespace
} // namespace quom
