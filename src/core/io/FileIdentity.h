#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What makes two paths one file: the device and the inode the path leads to, through
// every symbolic link. Two spellings, two links or two hard links of one file compare
// equal.
namespace quom {

struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
    // Spelt out: <compare> is more than Qt's moc can parse in a header it reads.
    bool operator<(const FileIdentity& other) const noexcept
    {
        return device != other.device ? device < other.device : inode < other.inode;
    }
};

// None when the path leads nowhere that can be looked at.
std::optional<FileIdentity> fileIdentity(const std::string& path);
// The open file's own identity, which a path may no longer lead to.
std::optional<FileIdentity> fileIdentity(int fd);

} // namespace quom
