#include "core/audio/WaveExport.h"

namespace quom {

std::uint32_t passFrames(int tempo) noexcept
{
    return 42336000u / static_cast<std::uint32_t>(clampTempo(tempo));
}

std::vector<float> renderPass(
    const LiveGrid& pattern, std::shared_ptr<const CKit> kit, const PassSettings& settings)
{
    TempoValue tempo(clampTempo(settings.tempo));
    Engine engine;
    engine.setPattern(&pattern);
    engine.setTempoSource(&tempo);
    engine.setKit(std::move(kit));
    engine.setInterpolation(settings.interpolation);
    engine.setGain(settings.gain);

    const std::uint32_t frames = passFrames(settings.tempo);
    std::vector<float> buffer(2 * static_cast<std::size_t>(frames), 0.0f);
    engine.Reset();
    engine.setOfflineRender(true);
    engine.Render(frames, buffer.data());
    engine.setOfflineRender(false);
    engine.Reset();
    return buffer;
}

std::vector<float> renderPassOf(Engine& live, int tempo)
{
    live.setPlaying(false);
    live.Reset();
    live.setOfflineRender(true);
    static const LiveGrid kEmpty;
    const LiveGrid* pattern = live.pattern();
    std::vector<float> buffer
        = renderPass(pattern ? *pattern : kEmpty, live.kit(), {tempo, live.interpolation(), live.gain()});
    live.setOfflineRender(false);
    live.Reset();
    return buffer;
}

} // namespace quom
