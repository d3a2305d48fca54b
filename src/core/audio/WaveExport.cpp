#include "core/audio/WaveExport.h"

namespace quom {

std::vector<float> renderPass(
    const Grid& pattern, std::shared_ptr<const CKit> kit, const PassSettings& settings, int threads)
{
    return renderLoop(std::span(&pattern, 1), patternPasses(0, settings.tempo, 1), std::move(kit),
        {settings.interpolation, settings.gain}, threads);
}

MutedForExport::MutedForExport(Engine& live) noexcept
    : live_(live)
{
    live_.setPlaying(false);
    live_.Reset();
    live_.setMutedForExport(true);
}

MutedForExport::~MutedForExport()
{
    live_.setMutedForExport(false);
    live_.Reset();
}

std::vector<float> renderPassOf(Engine& live, int tempo)
{
    const MutedForExport muted(live);
    const LiveGrid* pattern = live.pattern();
    return renderPass(
        pattern ? pattern->snapshot() : Grid{}, live.kit(), {tempo, live.interpolation(), live.gain()});
}

} // namespace quom
