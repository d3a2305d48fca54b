#include "platform/process/ExternalProgram.h"

#include "support/TempDir.h"

#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// An editor in a folder whose name has a space; it writes the arguments it was given,
// one a line, to "arguments" in the test's folder.
class ExternalEditor : public ::testing::Test {
protected:
    ExternalEditor()
    {
        fs::create_directory(dir.file("my tools"));
        dir.write("my tools/editor",
            "#!/bin/sh\nprintf '%s\\n' \"$@\" >'" + dir.file("arguments.part") + "'\nmv '"
                + dir.file("arguments.part") + "' '" + dir.file("arguments") + "'\n");
        fs::permissions(editor, fs::perms::owner_all);
    }

    // The arguments the editor received, once it has run.
    std::string argumentsReceived()
    {
        const std::string file = dir.file("arguments");
        if (!QTest::qWaitFor([&] { return fs::exists(file); }, 20000))
            return "(the editor did not run)";
        std::stringstream text;
        text << std::ifstream(file).rdbuf();
        fs::remove(file);
        return text.str();
    }

    TempDir dir;
    const std::string editor = dir.file("my tools/editor");
    const std::string sample = "/samples/a kick.wav";
};

TEST_F(ExternalEditor, AProgramFileIsTakenWholeAndAnyOtherSettingIsACommandLine)
{
    ASSERT_TRUE(quom::startExternalProgram(editor, sample));
    EXPECT_EQ(argumentsReceived(), sample + "\n") << "the path with a space is the program";

    ASSERT_TRUE(quom::startExternalProgram("\"" + editor + "\" --new \"two words\"", sample));
    EXPECT_EQ(argumentsReceived(), "--new\ntwo words\n" + sample + "\n");

    EXPECT_FALSE(quom::startExternalProgram(dir.file("my tools"), sample)) << "a folder is no program";
    EXPECT_FALSE(quom::startExternalProgram("", sample));
    fs::permissions(editor, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(quom::startExternalProgram(editor, sample)) << "not executable: split, and not found";
}

} // namespace
