#pragma once

#include "core/model/Cell.h"
#include "core/model/Song.h"

#include <cstdint>
#include <span>
#include <vector>

// The passes a loop plays in order, for the exports of a song or of several passes.
namespace quom {

// One pass of the 64 columns: which of the patterns plays and at which tempo (clamped).
struct LoopPass {
    int pattern = 0;
    int tempo = kDefaultTempo;
};

using LoopPasses = std::vector<LoopPass>;

// passes passes of pattern (0..15) at tempo.
LoopPasses patternPasses(int pattern, int tempo, int passes);
// The song passes times over: every entry's pattern repeats times, each at its tempo in
// tempos (one per pattern slot). Repeats are taken into 1..99; entries naming no slot
// are left out.
LoopPasses songPasses(const Song& song, std::span<const std::int32_t> tempos, int passes);

} // namespace quom
