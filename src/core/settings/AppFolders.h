#pragma once

#include <string>
#include <vector>

// Where Quom keeps its files: the application folder and the eight working folders in it.
namespace quom {

struct AppFolders {
    std::string applicationFolder; // ends with a '/'
    std::string patternsFolder;
    std::string filtersFolder;
    std::string projectsFolder;
    std::string kitsFolder;
    std::string wavesFolder;
    std::string outputFolder;
    std::string picturesFolder;
    std::string midiFolder;
};

// The eight working folders inside applicationFolder, named without a trailing '/'.
AppFolders buildFolders(const std::string& applicationFolder);

// Creates the application folder and the working folders that do not exist yet, and
// returns one message per folder that could not be created, for the caller to show.
std::vector<std::string> createFolders(const AppFolders& folders);

} // namespace quom
