#pragma once

#include <string>

// The quick look the kit editor takes at a file before it builds a kit from a folder:
// reads the chunk headers only, never the sample data.
namespace quom {

// True for a RIFF WAVE file whose fmt chunk, if it has one, names 8, 16, 24 or 32
// bits per sample and fewer than 3 channels. Anything that is not a regular file,
// cannot be opened or is not RIFF WAVE fails; a fmt chunk cut short fails too.
bool passesWaveCheck(const std::string& path);

} // namespace quom
