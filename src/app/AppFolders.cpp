#include "app/AppFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>

#include <filesystem>
#include <system_error>

namespace quom {

namespace {

std::string withSlash(QString folder)
{
    folder = QDir::cleanPath(QDir(folder).absolutePath());
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder.toStdString();
}

bool createFolder(const std::string& path)
{
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error);
}

} // namespace

std::string ChooseApplicationFolder(const QString& executableFolder)
{
    const QString home = qEnvironmentVariable("QUOM_HOME");
    if (!home.isEmpty())
        return withSlash(home);
    const QFileInfo executable(executableFolder);
    if (executable.isDir() && executable.isWritable())
        return withSlash(executableFolder);
    // Installed system-wide: the files go to the user's own data folder.
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

AppFolders BuildFolders(const std::string& applicationFolder)
{
    AppFolders f;
    f.applicationFolder = applicationFolder;
    f.patternsFolder = applicationFolder + "Patterns";
    f.filtersFolder = applicationFolder + "Filters";
    f.wavesFolder = applicationFolder + "Waves";
    f.kitsFolder = applicationFolder + "Kits";
    f.picturesFolder = applicationFolder + "Pictures";
    f.projectsFolder = applicationFolder + "Projects";
    f.midiFolder = applicationFolder + "Midi";
    f.outputFolder = applicationFolder + "Output";
    return f;
}

std::vector<std::string> CreateFolders(const AppFolders& folders)
{
    const struct {
        const std::string& path;
        const char* name;
    } order[] = {
        {folders.patternsFolder, "Patterns"},
        {folders.filtersFolder, "Filters"},
        {folders.wavesFolder, "Waves"},
        {folders.outputFolder, "Output"},
        {folders.kitsFolder, "Kits"},
        {folders.projectsFolder, "Projects"},
        {folders.picturesFolder, "Pictures"},
        {folders.midiFolder, "Midi"},
    };
    std::vector<std::string> messages;
    for (const auto& folder : order) {
        if (!createFolder(folder.path))
            messages.push_back(std::string("Unable to create the '") + folder.name + "' folder !");
    }
    return messages;
}

} // namespace quom
