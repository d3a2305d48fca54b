#include "core/io/AtomicFile.h"

#include "core/io/WriteAll.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace quom {
namespace {

// The kernel's own bound on a chain of links.
constexpr int kMaxLinkHops = 40;

WriteResult failure(const std::string& path, int err)
{
    return {false, path + ": " + std::strerror(err)};
}

// 0 once every byte is written (and on disk, with sync) and the descriptor closed,
// else the first error.
int writeAndClose(int fd, std::span<const std::uint8_t> bytes, bool sync)
{
    const bool written = writeAll(fd, bytes.data(), bytes.size()) && (!sync || ::fsync(fd) == 0);
    const int writeError = errno;
    if (::close(fd) != 0 && written)
        return errno;
    return written ? 0 : writeError;
}

// Where a chain of symbolic links ends: the file to replace, which may not exist yet.
// Renaming over the link itself would turn it into a file of its own.
std::optional<std::filesystem::path> finalTarget(const std::string& path, int& err)
{
    namespace fs = std::filesystem;
    fs::path target = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(target, ec);
        // A missing file is the end of the chain too: the rename creates it.
        if (status.type() == fs::file_type::not_found || (!ec && !fs::is_symlink(status)))
            return target;
        if (ec) {
            err = ec.value();
            return std::nullopt;
        }
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) {
            err = ec.value();
            return std::nullopt;
        }
        target = target.parent_path() / next; // an absolute next replaces the folder
    }
    err = ELOOP;
    return std::nullopt;
}

// Opened without blocking, so that a FIFO nobody reads fails at once instead of
// freezing the window thread until some program opens it; the writes block as usual.
WriteResult writeInPlace(const std::string& path, std::span<const std::uint8_t> bytes, bool isFifo)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (isFifo && errno == ENXIO)
            return {false, path + ": no program is reading from this FIFO"};
        return failure(path, errno);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        const int err = errno;
        ::close(fd);
        return failure(path, err);
    }
    // A pipe or a terminal cannot be synced.
    if (const int err = writeAndClose(fd, bytes, false))
        return failure(path, err);
    return {true, {}};
}

// Refusals that leave the new file as created: only root may give a file away, a group
// goes only to its members, and some file systems (FAT) keep no owner or mode at all.
bool refused(int err)
{
    return err == EPERM || err == EOPNOTSUPP;
}

// The replacement would otherwise take the umask's mode and the writer's owner: a
// private file would become readable by all, a script would lose its execute bit.
// The owner goes first: a change of owner clears the set-id bits.
int takeOwnerAndMode(int fd, const struct stat& replaced)
{
    if (::fchown(fd, replaced.st_uid, replaced.st_gid) != 0) {
        if (!refused(errno))
            return errno;
        if (::fchown(fd, static_cast<uid_t>(-1), replaced.st_gid) != 0 && !refused(errno))
            return errno;
    }
    if (::fchmod(fd, replaced.st_mode & 07777) != 0 && !refused(errno))
        return errno;
    return 0;
}

// replaced: the file now at target, whose owner and mode the new one keeps; none when
// there is none yet. Other hard links to it keep the old content: replacing stays
// atomic, where writing in place would leave a half-written file when the disk fills.
WriteResult replace(const std::string& path, const std::string& target,
    const std::optional<struct stat>& replaced, std::span<const std::uint8_t> bytes)
{
    const std::string temporary = temporaryNameBeside(target);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return failure(path, errno);
    if (const int err = replaced ? takeOwnerAndMode(fd, *replaced) : 0) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return failure(path, err);
    }
    if (const int err = writeAndClose(fd, bytes, true)) {
        ::unlink(temporary.c_str());
        return failure(path, err);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temporary.c_str());
        return failure(path, err);
    }
    return {true, {}};
}

} // namespace

std::string temporaryNameBeside(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    const std::string suffix = ".~" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::size_t kept = path.size() - nameStart;
    if (kept + suffix.size() > NAME_MAX) {
        kept = NAME_MAX - suffix.size();
        // Cut before a character, not inside one, so that a UTF-8 name stays valid.
        while (kept > 0 && (static_cast<unsigned char>(path[nameStart + kept]) & 0xC0) == 0x80)
            --kept;
    }
    return path.substr(0, nameStart + kept) + suffix;
}

WriteResult writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes)
{
    std::optional<struct stat> replaced;
    struct stat existing { };
    if (::stat(path.c_str(), &existing) == 0) {
        if (!S_ISREG(existing.st_mode))
            return writeInPlace(path, bytes, S_ISFIFO(existing.st_mode));
        replaced = existing;
    } else if (errno != ENOENT) {
        return failure(path, errno);
    }
    int err = 0;
    const auto target = finalTarget(path, err);
    if (!target)
        return failure(path, err);
    return replace(path, target->string(), replaced, bytes);
}

} // namespace quom
