#pragma once

#include <optional>
#include <string>

// A file that exists to be locked (flock): held while its owner runs, and let go by the
// kernel when the owner ends, however it ends. The holder removes the file as it lets go,
// so a file left behind with no holder means its owner died.
namespace quom {

class FileLock {
public:
    // Takes the lock at path, creating the file; none when another holds it or the file
    // cannot be made.
    static std::optional<FileLock> tryTake(const std::string& path);

    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    FileLock(std::string path, int fd);
    void letGo() noexcept;

    std::string path_;
    int fd_ = -1;
};

} // namespace quom
