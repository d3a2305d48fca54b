#include "platform/pictures/FilterLoader.h"

#include "core/files/PatternFile.h"
#include "platform/pictures/Picture.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>

namespace quom {

namespace {

namespace fs = std::filesystem;

const std::string kNoFilter
    = "No filter file has been found in this folder, or they were not in the right format!";
const std::string kNotAPattern = "Error: this is not a Quom pattern file:\n ";
const std::string kUnableToLoad = "Error: unable to load the file:\n ";

std::string lowered(std::string s)
{
    std::ranges::transform(s, s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Ties by the exact name, so the order never depends on the file system.
bool nameOrder(const std::string& a, const std::string& b)
{
    const std::string la = lowered(a);
    const std::string lb = lowered(b);
    return la != lb ? la < lb : a < b;
}

// Nothing when the folder cannot be listed.
std::optional<std::vector<fs::directory_entry>> entriesOf(const std::string& folder)
{
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error)
        return std::nullopt;
    std::vector<fs::directory_entry> entries;
    for (; !error && it != fs::directory_iterator(); it.increment(error))
        entries.push_back(*it);
    std::ranges::sort(entries, [](const fs::directory_entry& a, const fs::directory_entry& b) {
        return nameOrder(a.path().filename().string(), b.path().filename().string());
    });
    return entries;
}

bool isPatternName(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    return dot != std::string::npos && name.substr(dot + 1) == "pat";
}

} // namespace

ReadResult<Grid> readFilterFile(const std::string& path)
{
    if (!isPatternName(fs::path(path).filename().string()))
        return readPictureFile(path);
    auto pattern = readPatternFile(path);
    if (!pattern)
        return pattern.error();
    return pattern->cells;
}

FilterList loadFilters(const std::string& folder)
{
    FilterList list;
    const auto entries = entriesOf(folder);
    if (!entries) {
        list.messages.push_back(kNoFilter);
        return list;
    }
    for (const fs::directory_entry& entry : *entries) {
        const std::string name = entry.path().filename().string();
        const std::size_t dot = name.rfind('.');
        if (dot == std::string::npos)
            continue;
        const std::string path = folder + "/" + name;
        auto filter = readFilterFile(path);
        if (filter)
            list.filters.push_back({path, *filter});
        else if (!isPatternName(name))
            continue; // what no decoder reads is simply not a filter
        else if (filter.error().kind == ReadFailure::WrongMagic)
            list.messages.push_back(kNotAPattern + path);
        else
            list.messages.push_back(kUnableToLoad + path);
    }
    return list;
}

} // namespace quom
