#include "core/project/Recovery.h"

#include "core/project/Project.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <unistd.h>
#include <utility>

namespace quom {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kCopy = ".qom";
constexpr std::string_view kLock = ".lock";
constexpr std::string_view kPrefix = "recovery-";
// The one copy every Quom shared before each kept its own.
constexpr std::string_view kSharedCopy = "recovery.qom";

// The process id alone comes back after a restart; with the start time it does not.
std::string ownStem(const std::string& folder)
{
    const auto started = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::system_clock::now().time_since_epoch());
    return folder + std::string(kPrefix) + std::to_string(::getpid()) + "-" + std::to_string(started.count());
}

bool endsWith(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool isCopyName(std::string_view name)
{
    return name == kSharedCopy || (name.starts_with(kPrefix) && endsWith(name, kCopy));
}

std::string withoutEnd(const std::string& path, std::string_view end)
{
    return path.substr(0, path.size() - end.size());
}

bool isFile(const std::string& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

struct Found {
    std::string path;
    fs::file_time_type written;
};

// The folder's copies, newest first.
std::vector<Found> copiesIn(const std::string& folder)
{
    std::vector<Found> copies;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (!isCopyName(it->path().filename().string()))
            continue;
        std::error_code timeError;
        const auto written = it->last_write_time(timeError);
        copies.push_back({it->path().string(), timeError ? fs::file_time_type::min() : written});
    }
    std::ranges::sort(copies, [](const Found& a, const Found& b) { return a.written > b.written; });
    return copies;
}

} // namespace

Recovery::Recovery(const std::string& applicationFolder)
    : folder_(applicationFolder)
    , stem_(ownStem(applicationFolder))
    , path_(stem_ + std::string(kCopy))
    , lock_(FileLock::tryTake(stem_ + std::string(kLock)))
    , writer_(path_)
{
}

bool Recovery::claimLeftCopy()
{
    left_.reset();
    removeLocksLeftAlone();
    for (const Found& copy : copiesIn(folder_)) {
        if (copy.path == path_ || !claimed_.insert(copy.path).second)
            continue;
        auto lock = FileLock::tryTake(withoutEnd(copy.path, kCopy) + std::string(kLock));
        // Another start may have taken the copy between the listing and the lock.
        if (!lock || !isFile(copy.path))
            continue;
        left_.emplace(Claim{copy.path, std::move(*lock)});
        return true;
    }
    return false;
}

// A Quom that crashed with nothing unsaved leaves its lock and no copy.
void Recovery::removeLocksLeftAlone() const
{
    std::error_code error;
    for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with(kPrefix) || !endsWith(name, kLock))
            continue;
        const std::string lock = it->path().string();
        if (lock != stem_ + std::string(kLock) && !isFile(withoutEnd(lock, kLock) + std::string(kCopy)))
            FileLock::tryTake(lock); // taken and let go at once, which removes it
    }
}

void Recovery::discardLeft()
{
    if (left_)
        ::unlink(left_->path.c_str());
    left_.reset();
}

ReadResult<std::vector<ReadError>> Recovery::restoreLeft(Project& project)
{
    auto restored = project.restoreProject(left_->path);
    if (!restored)
        ::unlink(left_->path.c_str());
    else
        std::rename(left_->path.c_str(), path_.c_str());
    left_.reset();
    copied_.reset();
    return restored;
}

void Recovery::update(const Project& project)
{
    if (!project.hasUnsavedChanges()) {
        if (copied_)
            discard();
        return;
    }
    std::vector<std::uint8_t> bytes = project.projectBytes();
    // A copy removed by hand, or by a Quom from before copies had owners, is written again.
    if (copied_ == bytes && isFile(path_))
        return;
    writer_.write(bytes);
    copied_ = std::move(bytes);
}

void Recovery::discard()
{
    writer_.remove();
    copied_.reset();
}

} // namespace quom
