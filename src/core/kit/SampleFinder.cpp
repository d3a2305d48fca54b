#include "core/kit/SampleFinder.h"

#include "core/io/SampleFile.h"
#include "core/io/WaveCheck.h"
#include "core/kit/Kit.h"
#include "core/random/Random.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace quom {

namespace {

namespace fs = std::filesystem;

std::string lowered(std::string s)
{
    std::ranges::transform(s, s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool endsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The entries of folder, in name order ignoring case (ties by the exact name, so the
// order never depends on the file system). Empty when the folder cannot be read.
std::vector<fs::directory_entry> entriesOf(const std::string& folder)
{
    std::vector<fs::directory_entry> entries;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error))
        entries.push_back(*it);
    std::ranges::sort(entries, [](const fs::directory_entry& a, const fs::directory_entry& b) {
        const std::string x = a.path().filename().string();
        const std::string y = b.path().filename().string();
        const std::string lx = lowered(x);
        const std::string ly = lowered(y);
        return lx != ly ? lx < ly : x < y;
    });
    return entries;
}

std::string joined(const std::string& folder, const fs::directory_entry& entry)
{
    const std::string name = entry.path().filename().string();
    return endsWith(folder, "/") ? folder + name : folder + '/' + name;
}

} // namespace

std::vector<std::string> listFolderSamples(const std::string& folder)
{
    std::vector<std::string> samples;
    for (const fs::directory_entry& entry : entriesOf(folder)) {
        std::error_code error;
        if (entry.is_regular_file(error) && hasSampleFileName(entry.path().filename().string()))
            samples.push_back(joined(folder, entry));
    }
    return samples;
}

std::vector<std::string> keepPassingWaveCheck(const std::vector<std::string>& files, int most)
{
    std::vector<std::string> passing;
    for (const std::string& file : files) {
        if (passing.size() == static_cast<std::size_t>(most))
            break;
        if (passesWaveCheck(file))
            passing.push_back(file);
    }
    return passing;
}

std::vector<std::string> scanSampleTree(
    const std::string& root, const std::function<void(const std::string& path)>& looking)
{
    SampleTreeWalk walk(root);
    while (walk.next()) {
        if (looking)
            looking(walk.looked());
    }
    return std::move(walk.found());
}

SampleTreeWalk::SampleTreeWalk(const std::string& root)
{
    folders_.push_back({root, entriesOf(root)});
}

bool SampleTreeWalk::next()
{
    while (!folders_.empty()) {
        Folder& folder = folders_.back();
        if (folder.next == folder.entries.size()) {
            folders_.pop_back();
            continue;
        }
        const fs::directory_entry& entry = folder.entries[folder.next++];
        std::error_code error;
        std::string path = joined(folder.path, entry);
        if (entry.is_symlink(error)) {
            // A link to a folder may lead back up the tree: only linked files count.
            if (fs::is_directory(entry.path(), error))
                continue;
        } else if (entry.is_directory(error)) {
            // A subfolder is walked where it comes in the listing, before the entries after it.
            std::vector<fs::directory_entry> entries = entriesOf(path);
            folders_.push_back({std::move(path), std::move(entries)});
            continue;
        }
        if (hasSampleFileName(entry.path().filename().string(), NameCase::Uniform) && passesWaveCheck(path))
            found_.push_back(path);
        looked_ = std::move(path);
        return true;
    }
    return false;
}

std::vector<std::string> pickForKit(std::vector<std::string> files)
{
    if (files.size() <= static_cast<std::size_t>(kKitSlots))
        return files;
    std::vector<std::string> picked;
    while (picked.size() < static_cast<std::size_t>(kKitSlots)) {
        const std::size_t index = randomInt(static_cast<int>(files.size()) - 1);
        picked.push_back(std::move(files[index]));
        files.erase(files.begin() + static_cast<std::ptrdiff_t>(index));
    }
    return picked;
}

} // namespace quom
