// The session's file operations: projects, patterns, kits and exports.
#include "core/session/Session.h"

#include "core/audio/Engine.h"
#include "core/audio/WaveExport.h"
#include "core/files/MidiExport.h"
#include "core/files/ProjectFile.h"
#include "core/io/WaveWriter.h"

namespace quom {

namespace {

// The project's tempos and patterns into the bank and its slot records into the
// kit, each named sample read again; an unused slot keeps the sample it held. The
// result lists the samples that could not be read, each once.
std::vector<std::string> applyProject(const ProjectFileData& project, PatternModel& model, CKit& kit)
{
    for (int slot = 0; slot < kPatternSlots; ++slot) {
        model.setTempo(slot, project.tempos[slot]);
        model.setSlot(slot, project.patterns[slot]);
    }
    for (int slot = 0; slot < kKitSlots; ++slot)
        applyProjectSlot(project.slots[slot], kit.slot(slot));
    return kit.loadSamples();
}

// The current pattern as shown and at the tempo that plays: its slot holds them only
// once they are stored.
ProjectFileData projectOf(const PatternModel& model, int tempo, const CKit& kit)
{
    ProjectFileData project;
    for (int slot = 0; slot < kPatternSlots; ++slot) {
        project.tempos[slot] = model.tempo(slot);
        project.patterns[slot] = model.slot(slot);
    }
    project.tempos[model.currentIndex()] = tempo;
    project.patterns[model.currentIndex()] = model.current().snapshot();
    for (int slot = 0; slot < kKitSlots; ++slot)
        project.slots[slot] = projectSlotOf(kit.slot(slot));
    return project;
}

} // namespace

ReadResult<std::vector<std::string>> Session::loadProject(const std::string& path)
{
    auto loaded = readProject(path);
    if (loaded)
        markSaved();
    return loaded;
}

ReadResult<std::vector<std::string>> Session::restoreProject(const std::string& path)
{
    auto loaded = readProject(path);
    if (loaded)
        saved_.reset();
    return loaded;
}

ReadResult<std::vector<std::string>> Session::readProject(const std::string& path)
{
    stopAndRewind();
    // Only a fully read file changes anything.
    const auto project = readProjectFile(path);
    if (!project)
        return project.error();
    auto kit = std::make_shared<CKit>(*this->kit());
    std::vector<std::string> unreadable = applyProject(*project, model_, *kit);
    setKit(std::move(kit));
    model_.showSlot(0);
    showTempo(clampTempo(model_.tempo(0)));
    undo_.Empty();
    patternChanged();
    return unreadable;
}

WriteResult Session::saveProject(const std::string& path)
{
    storeCurrentPattern();
    WriteResult written = writeProjectFile(path, projectOf(model_, tempo(), *kit()));
    if (written)
        markSaved();
    return written;
}

bool Session::hasUnsavedChanges() const
{
    return !saved_ || projectBytes() != *saved_;
}

std::vector<std::uint8_t> Session::projectBytes() const
{
    return encodeProjectFile(projectOf(model_, tempo(), *kit()));
}

void Session::markSaved()
{
    saved_ = projectBytes();
    if (savedHook_)
        savedHook_();
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
