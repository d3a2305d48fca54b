#include "core/io/FileIdentity.h"

#include <sys/stat.h>

namespace quom {
namespace {

FileIdentity identityOf(const struct stat& status)
{
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

} // namespace

std::optional<FileIdentity> fileIdentity(const std::string& path)
{
    struct stat status { };
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return identityOf(status);
}

std::optional<FileIdentity> fileIdentity(int fd)
{
    struct stat status { };
    if (::fstat(fd, &status) != 0)
        return std::nullopt;
    return identityOf(status);
}

} // namespace quom
