#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// Finding sample files to build a kit from: the files of one folder, or a random pick
// from a whole tree. Listings come in name order ignoring case, since a folder
// listing on Linux has no order of its own.
namespace quom {

// The regular files of folder named as sample files (".wav", ".flac" ... in any case;
// SampleFile.h), as folder + '/' + name. Empty when the folder cannot be read.
std::vector<std::string> listFolderSamples(const std::string& folder);

// The first files, up to most, that pass the wave check, in their order.
std::vector<std::string> keepPassingWaveCheck(const std::vector<std::string>& files, int most);

// Depth-first over root: a subfolder is scanned where it comes in the listing, so
// files keep the order of the walk. A file is collected when its name ends in a sample
// file's extension all in lower or all in upper case (".wav" or ".WAV", never ".Wav")
// and it passes the wave check; looking(path) hears of every file
// looked at, for a progress line. A symbolic link to a folder is never followed and a
// folder that cannot be read is skipped, so every tree ends.
std::vector<std::string> scanSampleTree(
    const std::string& root, const std::function<void(const std::string& path)>& looking = {});

// The walk of scanSampleTree one file at a time, so that its caller can stop between
// files or serve other work (a window its events) while a large tree is searched.
class SampleTreeWalk {
public:
    explicit SampleTreeWalk(const std::string& root);

    // Looks at the next file, listing the folders on the way to it; false when the
    // walk is over.
    bool next();
    // The file the last next() looked at.
    const std::string& looked() const noexcept { return looked_; }
    // The files collected so far, in the order of the walk.
    std::vector<std::string>& found() noexcept { return found_; }

private:
    struct Folder {
        std::string path;
        std::vector<std::filesystem::directory_entry> entries; // in name order
        std::size_t next = 0;
    };

    std::vector<Folder> folders_; // the open folders, the innermost last
    std::string looked_;
    std::vector<std::string> found_;
};

// The files for the 64 slots: all of them in their order when there are 64 or
// fewer, else 64 drawn without repetition, each with randomInt(number left - 1).
std::vector<std::string> pickForKit(std::vector<std::string> files);

} // namespace quom
