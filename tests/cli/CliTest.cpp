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

TEST(Cli, UnknownOptionIsAUsageError)
{
    EXPECT_EQ(runQuom({"info"}).exitCode, 2);
}

} // namespace
