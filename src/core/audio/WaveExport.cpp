#include "core/audio/WaveExport.h"

namespace quom {

std::vector<float> renderPass(
    const Grid& pattern, std::shared_ptr<const CKit> kit, const PassSettings& settings, int threads)
{
    return renderLoop(std::span(&pattern, 1), patternPasses(0, settings.tempo, 1), std::move(kit),
        {settings.interpolation, settings.gain}, threads);
}

std::vector<float> renderPassOf(Engine& live, int tempo)
{
    live.setPlaying(false);
    live.Reset();
    live.setMutedForExport(true);
    const LiveGrid* pattern = live.pattern();
    std::vector<float> buffer = renderPass(
        pattern ? pattern->snapshot() : Grid{}, live.kit(), {tempo, live.interpolation(), live.gain()});
    live.setMutedForExport(false);
    live.Reset();
    return buffer;
}

} // namespace quom
