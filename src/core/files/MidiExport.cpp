#include "core/files/MidiExport.h"

namespace quom {
namespace {

void add(MIDItrack& track, std::uint32_t time, const MidiMessage& m)
{
    track.events.push_back({time, m.status, m.data1, m.data2, {}});
}

void addRow(MIDItrack& track, const Grid& cells, int row, std::uint32_t t, MidiMapping mapping)
{
    for (int column = 0; column < kColumns; ++column, t += kMidiTicksPerColumn) {
        const Cell cell = cells[cellIndex(column, row)];
        if (cell == 0)
            continue;
        const CellMessages messages = cellMessages(cell, row, mapping, starterRowNotes());
        add(track, t, messages.pan);
        if (!messages.sounds)
            continue;
        add(track, t, messages.noteOn);
        add(track, t + kMidiTicksPerColumn, messages.noteOff);
    }
}

} // namespace

std::string midiTrackName(const std::string& samplePath)
{
    const auto slash = samplePath.find_last_of("\\/");
    std::string name = slash == std::string::npos ? samplePath : samplePath.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

MIDIfile passesToMidi(
    std::span<const Grid> patterns, const LoopPasses& passes, const CKit& kit, MidiMapping mapping)
{
    constexpr std::uint32_t kPassTicks = kColumns * kMidiTicksPerColumn;
    MIDIfile file;
    file.tracks.resize(kRows);
    for (int row = 0; row < kRows; ++row) {
        MIDItrack& track = file.tracks[static_cast<std::size_t>(row)];
        track.name = midiTrackName(kit.slot(row).name);
        std::uint32_t t = 0;
        for (const LoopPass& pass : passes) {
            addRow(track, patterns[static_cast<std::size_t>(pass.pattern)], row, t, mapping);
            t += kPassTicks;
        }
    }
    std::uint32_t t = 0;
    for (std::size_t i = 1; i < passes.size(); ++i) {
        t += kPassTicks;
        if (passes[i].tempo != passes[i - 1].tempo)
            file.tempoChanges.push_back({t, static_cast<std::uint32_t>(passes[i].tempo)});
    }
    return file;
}

MIDIfile patternToMidi(const Grid& cells, const CKit& kit, MidiMapping mapping)
{
    return passesToMidi(std::span(&cells, 1), patternPasses(0, kDefaultTempo, 1), kit, mapping);
}

WriteResult exportSongMidi(const std::string& path, std::span<const Grid> patterns,
    std::span<const std::int32_t> tempos, const Song& song, const CKit& kit, MidiMapping mapping)
{
    return exportPassesMidi(path, patterns, songPasses(song, tempos, 1), kit, mapping);
}

WriteResult exportPassesMidi(const std::string& path, std::span<const Grid> patterns,
    const LoopPasses& passes, const CKit& kit, MidiMapping mapping)
{
    const int first = passes.empty() ? kDefaultTempo : passes.front().tempo;
    return passesToMidi(patterns, passes, kit, mapping)
        .save(path, static_cast<std::uint32_t>(first), kMidiTicksPerQuarter);
}

WriteResult exportMidi(
    const std::string& path, const Grid& cells, std::int32_t tempo, const CKit& kit, MidiMapping mapping)
{
    return patternToMidi(cells, kit, mapping)
        .save(path, static_cast<std::uint32_t>(clampTempo(tempo)), kMidiTicksPerQuarter);
}

} // namespace quom
