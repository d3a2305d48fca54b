#include "platform/settings/ApplicationFolder.h"

#include "support/TempDir.h"

#include <QStandardPaths>
#include <QString>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

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

TEST(ApplicationFolder, QuomHomeNamesTheApplicationFolder)
{
    TempDir dir;
    const QuomHome home(dir.path() + "/portable");
    EXPECT_EQ(quom::chooseApplicationFolder(QStringLiteral("/usr/bin"), {}), dir.path() + "/portable/");
}

TEST(ApplicationFolder, AWritableExecutableFolderIsTheApplicationFolder)
{
    TempDir dir;
    const QuomHome home(std::nullopt);
    EXPECT_EQ(quom::chooseApplicationFolder(QString::fromStdString(dir.path()), {}), dir.path() + "/");
}

TEST(ApplicationFolder, AnUnwritableExecutableFolderFallsBackToTheUserDataFolder)
{
    const QuomHome home(std::nullopt);
    const std::string userData
        = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString() + "/";

    TempDir dir;
    EXPECT_EQ(quom::chooseApplicationFolder(QString::fromStdString(dir.file("missing")), {}), userData);

    // The installation's own folder, writable or not, and however it is named.
    fs::create_directories(dir.file("libexec/quom"));
    fs::create_symlink(dir.file("libexec"), dir.file("link"));
    EXPECT_EQ(quom::chooseApplicationFolder(QString::fromStdString(dir.file("link/quom")),
                  QString::fromStdString(dir.file("libexec/quom"))),
        userData);

    if (::geteuid() == 0)
        return; // permissions do not bind the superuser
    fs::create_directory(dir.file("readonly"));
    fs::permissions(dir.file("readonly"), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(quom::chooseApplicationFolder(QString::fromStdString(dir.file("readonly")), {}), userData);
    fs::permissions(dir.file("readonly"), fs::perms::owner_all);
}

} // namespace
