#pragma once

#include "core/io/ReadResult.h"
#include "core/io/WaveReader.h"

#include <cstdint>
#include <span>
#include <string>

// Sample files other than RIFF WAVE (FLAC, Ogg Vorbis, Opus, AIFF, MP3 and whatever else
// libsndfile reads) turned into a mono float sample. libsndfile is opened the first time
// such a file is met, so a program that only meets wave files never loads its codecs.
namespace quom {

// The first channel as floats (integer encodings scaled to -1..1), the file's rate and,
// where the file has an instrument chunk, its base note. Decoded from the bytes in
// memory: the file was read, and its size checked, before. A stream cut short yields the
// frames before the cut. path only names the file in the error.
ReadResult<DecodedWave> decodeSoundFile(std::span<const std::uint8_t> bytes, const std::string& path);

// Whether libsndfile can open the file, from its header alone: the quick look taken
// before a folder's files become a kit. The caller has made sure it is a regular file.
bool opensAsSoundFile(const std::string& path);

} // namespace quom
