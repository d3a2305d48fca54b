#pragma once

#include "core/io/Bytes.h"
#include "core/io/ReadResult.h"
#include "core/io/WaveReader.h"

#include <array>
#include <string>
#include <string_view>

// Reading a sample from any file Quom plays: RIFF WAVE through its own reader, bit for
// bit as it always has (floats apart), every other type through libsndfile.
namespace quom {

// The names sample files go by, in lower case; wave first.
inline constexpr std::array<std::string_view, 9> kSampleFileExtensions{
    "wav", "flac", "ogg", "oga", "opus", "aif", "aiff", "aifc", "mp3"};

enum class NameCase {
    Any, // ".wav", ".WAV", ".Wav" ...
    Uniform, // all lower or all upper case only, as the random pick has always taken ".wav"
};

// The RIFF size field counts the bytes after its own 8 in 32 bits; no other type of
// sample file is taken larger.
inline constexpr FileKind kSampleFileKind{"a sample", 8 + std::uint64_t{0xFFFFFFFF}};

// Whether name ends in "." and one of kSampleFileExtensions.
bool hasSampleFileName(std::string_view name, NameCase letters = NameCase::Any);
bool hasWaveFileName(std::string_view name);

// The first channel of the file as floats. A file that begins as RIFF WAVE, or is named
// .wav, goes to the wave reader (so a .wav that is not one is refused as it always was);
// any other to libsndfile. Only a regular file no larger than a RIFF size field can count
// is read, whatever its type.
ReadResult<DecodedWave> readSampleFile(const std::string& path);

} // namespace quom
