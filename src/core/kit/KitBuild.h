#pragma once

#include "core/io/FileIdentity.h"
#include "core/io/ReadResult.h"
#include "core/kit/FileRate.h"
#include "core/kit/Kit.h"
#include "core/kit/SampleFinder.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

// A new kit from the files of one folder (the first 64 that pass the wave check, in
// name order) or from a random pick of a folder tree, built a step at a time: a step
// looks at one file or loads one, so the caller can serve other work between steps and
// drop the build at any point with nothing changed. Window thread: the pick from a
// large tree draws on the random generator.
namespace quom {

class KitBuild {
public:
    enum class Phase { Searching, Loading, Done };
    enum class Outcome {
        Built, // at least one slot holds a sample
        NothingFound, // no file to take: the caller's kit stays as it was
        NothingReadable, // files were taken but none could be read; failed() says why
    };

    // kit: the kit being replaced, whose slots are cleared as ClearSlot clears them
    // (keeping what a clear keeps).
    static KitBuild fromFolder(CKit kit, const std::string& folder, FileRate rate);
    static KitBuild fromTree(CKit kit, const std::string& root, FileRate rate);

    // One piece of work; false once the build is done.
    bool step();

    Phase phase() const noexcept { return phase_; }
    // The file the last step looked at or loaded, for a progress line.
    const std::string& current() const noexcept { return current_; }

    // Once done.
    Outcome outcome() const noexcept;
    // Every slot cleared, then the files taken in slots 0, 1, ...; a file that could not
    // be read leaves its slot "not used".
    const CKit& kit() const noexcept { return kit_; }
    const std::vector<ReadError>& failed() const noexcept { return failed_; }

private:
    KitBuild(CKit kit, FileRate rate, std::optional<SampleTreeWalk> tree, std::string folder);

    void searchFolder();
    void searchTree();
    void startLoading();
    void loadNext();

    FileRate rate_;
    std::optional<SampleTreeWalk> tree_; // Random; empty for Folder
    std::string folder_;
    std::optional<std::vector<std::string>> listed_; // Folder's listing, read by the first step
    std::size_t checked_ = 0;
    std::vector<std::string> taken_;
    std::size_t loaded_ = 0;
    std::map<FileIdentity, int> loadedFiles_; // each file read, and the slot holding it
    Phase phase_ = Phase::Searching;
    std::string current_;
    CKit kit_;
    std::vector<ReadError> failed_;
};

} // namespace quom
