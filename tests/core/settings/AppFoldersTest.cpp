#include "core/settings/AppFolders.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kWorkingFolders
    = {"Filters", "Kits", "Midi", "Output", "Patterns", "Pictures", "Projects", "Waves"};

TEST(AppFolders, FirstStartCreatesTheEightFoldersSilently)
{
    TempDir dir;
    const auto folders = quom::buildFolders(dir.path() + "/home/");
    EXPECT_TRUE(quom::createFolders(folders).empty());
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"home"});
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path() + "/home"))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, kWorkingFolders);
    EXPECT_EQ(folders.kitsFolder, dir.path() + "/home/Kits");
    EXPECT_EQ(folders.outputFolder, dir.path() + "/home/Output");

    // A second start finds them all and has nothing to say.
    EXPECT_TRUE(quom::createFolders(folders).empty());
}

TEST(AppFolders, EachFolderThatCannotBeCreatedHasItsMessageInOrder)
{
    TempDir dir;
    dir.write("file", std::string("not a folder"));
    const auto messages = quom::createFolders(quom::buildFolders(dir.file("file") + "/"));
    EXPECT_EQ(messages,
        (std::vector<std::string>{
            "Unable to create the 'Patterns' folder !",
            "Unable to create the 'Filters' folder !",
            "Unable to create the 'Waves' folder !",
            "Unable to create the 'Output' folder !",
            "Unable to create the 'Kits' folder !",
            "Unable to create the 'Projects' folder !",
            "Unable to create the 'Pictures' folder !",
            "Unable to create the 'Midi' folder !",
        }));
}

TEST(AppFolders, AFileInTheWayFailsOnlyThatFolder)
{
    TempDir dir;
    dir.write("Output", std::string("in the way"));
    const auto messages = quom::createFolders(quom::buildFolders(dir.path() + "/"));
    EXPECT_EQ(messages, std::vector<std::string>{"Unable to create the 'Output' folder !"});
    EXPECT_TRUE(fs::is_directory(dir.file("Midi")));
}

} // namespace
