#include "core/model/SongPasses.h"

#include <algorithm>

namespace quom {

LoopPasses patternPasses(int pattern, int tempo, int passes)
{
    return LoopPasses(static_cast<std::size_t>(std::max(passes, 0)), LoopPass{pattern, clampTempo(tempo)});
}

LoopPasses songPasses(const Song& song, std::span<const std::int32_t> tempos, int passes)
{
    LoopPasses out;
    for (int time = 0; time < passes; ++time) {
        for (const SongEntry& entry : song) {
            if (entry.pattern < 0 || static_cast<std::size_t>(entry.pattern) >= tempos.size())
                continue;
            const int tempo = clampTempo(tempos[static_cast<std::size_t>(entry.pattern)]);
            out.insert(out.end(),
                static_cast<std::size_t>(std::clamp(entry.repeats, kMinRepeats, kMaxRepeats)),
                LoopPass{entry.pattern, tempo});
        }
    }
    return out;
}

} // namespace quom
