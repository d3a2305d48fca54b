#pragma once

#include <string>
#include <vector>

// Runs the built quom executable as a separate process, as a script would.
struct QuomRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

QuomRun runQuom(const std::vector<std::string>& args);
