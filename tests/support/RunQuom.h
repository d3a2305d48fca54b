#pragma once

#include <string>
#include <vector>

// Runs the built quom executable as a separate process, as a script would.
struct QuomRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// unset: environment variables the process starts without.
QuomRun runQuom(const std::vector<std::string>& args, const std::vector<std::string>& unset = {});
