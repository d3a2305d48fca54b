// The project's files: projects, patterns, kits and the MIDI export.
#include "core/project/Project.h"

#include "core/files/MidiExport.h"
#include "core/files/ProjectFile.h"

namespace quom {

namespace {

// The project's tempos and patterns into the bank and its slot records into the
// kit, each named sample read again when asked for; an unused slot keeps the sample
// it held. The result lists the samples that could not be read, each once.
std::vector<ReadError> applyProject(
    const ProjectFileData& project, PatternModel& model, CKit& kit, SampleLoading samples, FileRate rate)
{
    for (int slot = 0; slot < kPatternSlots; ++slot) {
        model.setTempo(slot, project.tempos[slot]);
        model.setSlot(slot, project.patterns[slot]);
    }
    for (int slot = 0; slot < kKitSlots; ++slot)
        applyProjectSlot(project.slots[slot], kit.slot(slot));
    if (samples == SampleLoading::Skip)
        return {};
    return kit.loadSamples(rate);
}

// The current pattern as shown and at the tempo that plays: its slot holds them only
// once they are stored.
ProjectFileData projectOf(const PatternModel& model, int tempo, const CKit& kit, const Song& song)
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
    project.song = song;
    return project;
}

} // namespace

ReadResult<std::vector<ReadError>> Project::loadProject(const std::string& path)
{
    auto loaded = applyProjectFile(readProjectFile(path), path, SampleLoading::Load);
    if (loaded) {
        filePath_ = path;
        markSaved();
    }
    return loaded;
}

ReadResult<std::vector<ReadError>> Project::loadProject(
    std::span<const std::uint8_t> bytes, const std::string& path, SampleLoading samples)
{
    auto loaded = applyProjectFile(parseProjectFile(bytes, path), path, samples);
    if (loaded) {
        filePath_ = path;
        markSaved();
    }
    return loaded;
}

ReadResult<std::vector<ReadError>> Project::restoreProject(const std::string& path)
{
    auto loaded = applyProjectFile(readProjectFile(path), path, SampleLoading::Load);
    if (loaded) {
        filePath_.clear();
        saved_.reset();
    }
    return loaded;
}

ReadResult<std::vector<ReadError>> Project::applyProjectFile(
    const ReadResult<ProjectFileData>& project, const std::string& path, SampleLoading samples)
{
    // Only a fully read file changes anything.
    if (!project)
        return project.error();
    auto kit = std::make_shared<CKit>(*kit_);
    std::vector<ReadError> unreadable = applyProject(*project, model_, *kit, samples, fileRate_);
    if (!project->skippedSection.empty())
        unreadable.push_back({ReadFailure::Damaged, path, project->skippedSection});
    setKit(std::move(kit));
    showSong(project->song);
    model_.showSlot(0);
    showTempo(clampTempo(model_.tempo(0)));
    undo_.Empty();
    patternChanged();
    return unreadable;
}

WriteResult Project::saveProject(const std::string& path)
{
    storeCurrentPattern();
    WriteResult written = writeProjectFile(path, projectOf(model_, tempo(), *kit_, song_));
    if (written) {
        filePath_ = path;
        markSaved();
    }
    return written;
}

bool Project::hasUnsavedChanges() const
{
    return !saved_ || projectBytes() != *saved_;
}

std::vector<std::uint8_t> Project::projectBytes() const
{
    return encodeProjectFile(projectOf(model_, tempo(), *kit_, song_));
}

void Project::markSaved()
{
    saved_ = projectBytes();
    if (savedHook_)
        savedHook_();
}

ReadResult<PatternFileData> Project::loadPattern(const std::string& path)
{
    return applyPatternFile(readPatternFile(path));
}

ReadResult<PatternFileData> Project::loadPattern(std::span<const std::uint8_t> bytes, const std::string& path)
{
    return applyPatternFile(parsePatternFile(bytes, path));
}

ReadResult<PatternFileData> Project::applyPatternFile(ReadResult<PatternFileData> pattern)
{
    if (!pattern)
        return pattern;
    setPatternTempo(pattern->tempo);
    replaceCells(pattern->cells);
    return pattern;
}

WriteResult Project::savePattern(const std::string& path) const
{
    return writePatternFile(path, {tempo(), model_.current().snapshot()});
}

CKit::LoadResult Project::loadKit(const std::string& path, const CKit::Progress& progress)
{
    auto kit = std::make_shared<CKit>(*kit_);
    CKit::LoadResult result = kit->Load(path, fileRate_, progress);
    if (result.opened)
        setKit(std::move(kit));
    return result;
}

std::vector<ReadError> Project::setFileRate(FileRate rate)
{
    if (rate == fileRate_)
        return {};
    fileRate_ = rate;
    auto kit = std::make_shared<CKit>(*kit_);
    std::vector<ReadError> unreadable = kit->reloadOtherRateSamples(rate);
    setKit(std::move(kit));
    return unreadable;
}

WriteResult Project::exportMidi(const std::string& path, MidiMapping mapping) const
{
    return quom::exportMidi(path, model_.current().snapshot(), tempo(), *kit_, mapping);
}

} // namespace quom
