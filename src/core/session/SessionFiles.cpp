// The session's file operations: projects, patterns, kits and exports.
#include "core/session/Session.h"

#include "core/audio/Engine.h"
#include "core/audio/WaveExport.h"
#include "core/files/MidiExport.h"
#include "core/kit/WaveWriter.h"
#include "core/session/ProjectIO.h"

namespace quom {

ReadResult<std::vector<std::string>> Session::loadProject(const std::string& path)
{
    stopAndRewind();
    auto kit = std::make_shared<CKit>(*this->kit());
    auto loaded = LoadProject(path, model_, *kit);
    if (!loaded)
        return loaded;
    setKit(std::move(kit));
    model_.showSlot(0);
    showTempo(clampTempo(model_.tempo(0)));
    undo_.Empty();
    patternChanged();
    return loaded;
}

WriteResult Session::saveProject(const std::string& path)
{
    storeCurrentPattern();
    return SaveProject(path, model_, *kit());
}

ReadResult<PatternFileData> Session::loadPattern(const std::string& path)
{
    auto pattern = readPatternFile(path);
    if (!pattern)
        return pattern;
    setPatternTempo(pattern->tempo);
    replaceCells(pattern->cells);
    return pattern;
}

WriteResult Session::savePattern(const std::string& path) const
{
    return writePatternFile(path, {tempo(), model_.current().snapshot()});
}

CKit::LoadResult Session::loadKit(const std::string& path, const CKit::Progress& progress)
{
    auto kit = std::make_shared<CKit>(*this->kit());
    CKit::LoadResult result = kit->Load(path, progress);
    if (result.opened)
        setKit(std::move(kit));
    return result;
}

WriteResult Session::exportMidi(const std::string& path) const
{
    return quom::exportMidi(path, model_.current().snapshot(), tempo(), *kit());
}

WriteResult Session::exportWave(const std::string& path)
{
    stop();
    std::vector<float> pass = renderPassOf(engine_, tempo());
    return WriteWave16(path, pass, 2);
}

} // namespace quom
