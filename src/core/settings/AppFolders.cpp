#include "core/settings/AppFolders.h"

#include <filesystem>
#include <system_error>

namespace quom {

namespace {

bool createFolder(const std::string& path)
{
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error);
}

} // namespace

AppFolders buildFolders(const std::string& applicationFolder)
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

std::vector<std::string> createFolders(const AppFolders& folders)
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
