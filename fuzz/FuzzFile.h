#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

// A folder of this process's own: parallel fuzzing jobs must not read each other's inputs.
const std::filesystem::path& fuzzFolder();

// Readers that only take a path get each input through a file: name, in fuzzFolder(),
// rewritten with the input's bytes. Returns its path.
std::string writeFuzzFile(const std::uint8_t* data, std::size_t size, const std::string& name);

// Stops the run as a crash would, so libFuzzer keeps the input: for a broken promise
// that is not a memory error.
[[noreturn]] void fuzzFailure(const char* what);
