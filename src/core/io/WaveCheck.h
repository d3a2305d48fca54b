#pragma once

#include <string>

// The quick look the kit editor takes at a file before it builds a kit from a folder:
// reads the headers only, never the sample data.
namespace quom {

// True for a RIFF WAVE file whose fmt chunk, if it has one, names 8, 16, 24 or 32
// bits per sample (or 64-bit floats) and fewer than 3 channels, and for a file of
// another sample type (by its name, SampleFile.h) whose header libsndfile reads.
// Anything that is not a regular file or cannot be opened fails, as does a file named
// .wav that is not RIFF WAVE; a fmt chunk cut short fails too.
bool passesWaveCheck(const std::string& path);

} // namespace quom
