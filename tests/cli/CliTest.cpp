#include "support/RunQuom.h"

#include <gtest/gtest.h>

namespace {

TEST(Cli, HelpListsTheSubCommandsAndVersionNamesTheProgram)
{
    const auto help = runQuom({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("quom info"), std::string::npos);

    const auto version = runQuom({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "Quom 1.1\n");
}

TEST(Cli, UsageErrors)
{
    EXPECT_EQ(runQuom({"info"}).exitCode, 2);

    // Neither a sub-command nor a file: a mistyped command, not a window to open.
    const auto word = runQuom({"rendr", "x.qom"});
    EXPECT_EQ(word.exitCode, 2);
    EXPECT_EQ(word.err, "quom: 'rendr' is neither a sub-command nor a file (see quom --help)\n");
}

TEST(Cli, WithoutADisplayTheWindowExplainsInOneLine)
{
    const auto run = runQuom({}, {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "quom: no display to open the window on (the sub-commands run without one)\n");
}

} // namespace
