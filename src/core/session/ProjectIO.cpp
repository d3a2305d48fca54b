#include "core/session/ProjectIO.h"

#include "core/files/ProjectFile.h"
#include "core/kit/Kit.h"
#include "core/model/PatternModel.h"

#include <algorithm>

namespace quom {

ReadResult<std::vector<std::string>> LoadProject(const std::string& path, PatternModel& model, CKit& kit)
{
    auto project = readProjectFile(path);
    if (!project)
        return project.error();
    for (int slot = 0; slot < kPatternSlots; ++slot) {
        model.setTempo(slot, project->tempos[slot]);
        model.setSlot(slot, project->patterns[slot]);
    }
    std::vector<std::string> unreadable;
    for (int slot = 0; slot < kKitSlots; ++slot) {
        CInstrument& instrument = kit.slot(slot);
        applyProjectSlot(project->slots[slot], instrument);
        // An unused slot keeps the sample it held.
        if (instrument.isEmpty() || instrument.LoadWave(instrument.name))
            continue;
        if (std::ranges::find(unreadable, instrument.name) == unreadable.end())
            unreadable.push_back(instrument.name);
    }
    return unreadable;
}

WriteResult SaveProject(const std::string& path, const PatternModel& model, const CKit& kit)
{
    ProjectFileData project;
    for (int slot = 0; slot < kPatternSlots; ++slot) {
        project.tempos[slot] = model.tempo(slot);
        project.patterns[slot] = model.slot(slot);
    }
    for (int slot = 0; slot < kKitSlots; ++slot)
        project.slots[slot] = projectSlotOf(kit.slot(slot));
    return writeProjectFile(path, project);
}

} // namespace quom
