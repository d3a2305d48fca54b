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

WriteResult writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace quom
