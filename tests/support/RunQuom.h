#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Runs the built quom executable as a separate process, as a script would.
struct QuomRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// unset: environment variables the process starts without. fileSizeLimit: the largest
// file, in bytes, the process may write, as under `ulimit -f` (with SIGXFSZ at its default,
// which ends the process).
QuomRun runQuom(const std::vector<std::string>& args, const std::vector<std::string>& unset = {},
    std::optional<std::uint64_t> fileSizeLimit = std::nullopt);
