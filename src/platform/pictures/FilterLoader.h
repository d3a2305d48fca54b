#pragma once

#include "core/io/ReadResult.h"
#include "core/model/Cell.h"

#include <string>
#include <vector>

// The filters of the Filters folder: pattern files (".pat", lower case) and pictures,
// each a 64 x 64 grid of colours. Loading shows no window: the messages come back as
// the fixed texts the window shows, one per refused pattern file.
namespace quom {

struct FilterFile {
    std::string path; // folder + "/" + name
    Grid cells{};
};

struct FilterList {
    std::vector<FilterFile> filters; // in name order ignoring case
    std::vector<std::string> messages; // in the order the files were met
};

// A folder that cannot be listed gives one message and no filter. Files that are neither
// pattern files nor pictures are skipped silently; only regular files are opened.
FilterList loadFilters(const std::string& folder);

// One filter file: a name ending in exactly ".pat" is read whole with the pattern reader
// (so a short file is refused rather than filling a filter with whatever follows it),
// anything else as a picture imported as a pattern is. Only a regular file is opened.
ReadResult<Grid> readFilterFile(const std::string& path);

} // namespace quom
