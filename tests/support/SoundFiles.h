#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Sample files of the types other than wave, written by libsndfile from 16-bit samples,
// as twins of the wave files tests build byte by byte; and ways to compare what lossy
// codecs give back.
namespace soundfiles {

enum class Type { Flac, OggVorbis, Opus, Aiff, Mp3 };

// Mono at rate (Opus takes 8, 12, 16, 24 or 48 kHz only). False when libsndfile refuses.
bool write(const std::string& path, Type type, int rate, const std::vector<std::int16_t>& samples);

// A sum of tones at rate, at most half of full scale, that no codec turns into silence.
std::vector<std::int16_t> tones(int frames, int rate);

// The largest normalised correlation of a and b, b shifted by up to maxLag frames either
// way: a lossy codec delays and shapes the sound, but keeps it.
double bestCorrelation(std::span<const float> a, std::span<const float> b, int maxLag);

// The frequency of a pure tone played at playingRate, from its rising zero crossings.
double toneFrequency(std::span<const float> samples, int playingRate);

} // namespace soundfiles
