#pragma once

#include "core/model/Cell.h"

#include <cstdint>
#include <vector>

// A song: the project's patterns in order, each played a number of times, the whole list
// looping. Plain data shared by the project, the engine's queued switches and the exports.
namespace quom {

inline constexpr int kMinRepeats = 1;
inline constexpr int kMaxRepeats = 99;
inline constexpr std::size_t kMaxSongEntries = 256;

struct SongEntry {
    int pattern = 0; // 0..kPatternSlots-1 (shown as 1..16)
    int repeats = 1; // kMinRepeats..kMaxRepeats

    bool operator==(const SongEntry&) const = default;
};

// At most kMaxSongEntries entries; empty: no song.
using Song = std::vector<SongEntry>;

} // namespace quom
