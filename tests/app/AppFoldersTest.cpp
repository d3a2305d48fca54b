#include "app/AppFolders.h"

#include "support/TempDir.h"

#include <QStandardPaths>
#include <QString>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kWorkingFolders
    = {"Filters", "Kits", "Midi", "Output", "Patterns", "Pictures", "Projects", "Waves"};

// Sets or clears QUOM_HOME for one test and puts the previous value back.
class QuomHome {
public:
    explicit QuomHome(const std::optional<std::string>& value)
        : saved_(qEnvironmentVariableIsSet("QUOM_HOME") ? std::optional(qgetenv("QUOM_HOME")) : std::nullopt)
    {
        if (value)
            qputenv("QUOM_HOME", QByteArray::fromStdString(*value));
        else
            qunsetenv("QUOM_HOME");
    }
    ~QuomHome()
    {
        if (saved_)
            qputenv("QUOM_HOME", *saved_);
        else
            qunsetenv("QUOM_HOME");
    }

private:
    std::optional<QByteArray> saved_;
};

TEST(AppFolders, FirstStartCreatesTheEightFoldersSilently)
{
    TempDir dir;
    const auto folders = quom::BuildFolders(dir.path() + "/home/");
    EXPECT_TRUE(quom::CreateFolders(folders).empty());
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"home"});
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path() + "/home"))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, kWorkingFolders);
    EXPECT_EQ(folders.kitsFolder, dir.path() + "/home/Kits");
    EXPECT_EQ(folders.outputFolder, dir.path() + "/home/Output");

    // A second start finds them all and has nothing to say.
    EXPECT_TRUE(quom::CreateFolders(folders).empty());
}

TEST(AppFolders, EachFolderThatCannotBeCreatedHasItsMessageInOrder)
{
    TempDir dir;
    dir.write("file", std::string("not a folder"));
    const auto messages = quom::CreateFolders(quom::BuildFolders(dir.file("file") + "/"));
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
    const auto messages = quom::CreateFolders(quom::BuildFolders(dir.path() + "/"));
    EXPECT_EQ(messages, std::vector<std::string>{"Unable to create the 'Output' folder !"});
    EXPECT_TRUE(fs::is_directory(dir.file("Midi")));
}

TEST(AppFolders, QuomHomeNamesTheApplicationFolder)
{
    TempDir dir;
    const QuomHome home(dir.path() + "/portable");
    EXPECT_EQ(quom::ChooseApplicationFolder(QStringLiteral("/usr/bin")), dir.path() + "/portable/");
}

TEST(AppFolders, AWritableExecutableFolderIsTheApplicationFolder)
{
    TempDir dir;
    const QuomHome home(std::nullopt);
    EXPECT_EQ(quom::ChooseApplicationFolder(QString::fromStdString(dir.path())), dir.path() + "/");
}

TEST(AppFolders, AnUnwritableExecutableFolderFallsBackToTheUserDataFolder)
{
    const QuomHome home(std::nullopt);
    const std::string userData
        = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString() + "/";

    TempDir dir;
    EXPECT_EQ(quom::ChooseApplicationFolder(QString::fromStdString(dir.file("missing"))), userData);

    if (::geteuid() == 0)
        return; // permissions do not bind the superuser
    fs::create_directory(dir.file("readonly"));
    fs::permissions(dir.file("readonly"), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(quom::ChooseApplicationFolder(QString::fromStdString(dir.file("readonly"))), userData);
    fs::permissions(dir.file("readonly"), fs::perms::owner_all);
}

} // namespace
