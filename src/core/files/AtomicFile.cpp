#include "core/files/AtomicFile.h"

#include "core/files/WriteAll.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace quom {
namespace {

std::string temporaryNameFor(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    return path + ".~" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

WriteResult failure(const std::string& path, int err)
{
    return {false, path + ": " + std::strerror(err)};
}

} // namespace

WriteResult writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes)
{
    const std::string temporary = temporaryNameFor(path);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return failure(path, errno);

    const bool written = writeAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    const int writeError = errno;
    if (::close(fd) != 0 || !written) {
        const int err = written ? errno : writeError;
        ::unlink(temporary.c_str());
        return failure(path, err);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temporary.c_str());
        return failure(path, err);
    }
    return {true, {}};
}

} // namespace quom
