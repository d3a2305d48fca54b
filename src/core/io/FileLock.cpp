#include "core/io/FileLock.h"

#include "core/io/FileIdentity.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace quom {
namespace {

// A holder removes the file as it lets go: whoever opened it just before holds a lock on
// a file no longer there, sees that and opens the path again. Bounded, so that a path
// replaced over and over cannot keep the caller looping.
constexpr int kTries = 8;

} // namespace

std::optional<FileLock> FileLock::tryTake(const std::string& path)
{
    for (int tries = 0; tries < kTries; ++tries) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOCTTY | O_CLOEXEC, 0600);
        if (fd < 0)
            return std::nullopt;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return std::nullopt;
        }
        const auto held = fileIdentity(fd);
        if (held && held == fileIdentity(path))
            return FileLock(path, fd);
        ::close(fd);
    }
    return std::nullopt;
}

FileLock::FileLock(std::string path, int fd)
    : path_(std::move(path))
    , fd_(fd)
{
}

FileLock::~FileLock()
{
    letGo();
}

FileLock::FileLock(FileLock&& other) noexcept
    : path_(std::move(other.path_))
    , fd_(std::exchange(other.fd_, -1))
{
}

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        letGo();
        path_ = std::move(other.path_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

void FileLock::letGo() noexcept
{
    if (fd_ < 0)
        return;
    // Removed while still held, so that nobody takes a file about to vanish.
    ::unlink(path_.c_str());
    ::close(std::exchange(fd_, -1));
}

} // namespace quom
