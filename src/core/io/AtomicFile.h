#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// Every file Quom writes goes through here: the bytes land in a temporary file beside
// the target, which is renamed over it only once everything was written and flushed.
// A failed save never destroys the previous file and never leaves a half-written one.
namespace quom {

struct WriteResult {
    bool ok = false;
    std::string error; // what went wrong, naming the path
    explicit operator bool() const noexcept { return ok; }
};

// A symbolic link stays and the file it leads to is replaced (created when missing).
// A replaced file's permission bits stay, and its owner and group where the process
// may give them; other hard links to it keep the old content.
// A FIFO or a device cannot be replaced, so it is written directly; a FIFO that no
// program reads fails at once.
WriteResult writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// A name, unique in this process, for a temporary file in path's folder. The name is
// path's file name, shortened as needed so that its suffix never makes it too long.
std::string temporaryNameBeside(const std::string& path);

} // namespace quom
