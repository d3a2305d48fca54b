#include "core/files/MidiExport.h"

namespace quom {
namespace {

void add(MIDItrack& track, std::uint32_t time, const MidiMessage& m)
{
    track.events.push_back({time, m.status, m.data1, m.data2, {}});
}

MIDItrack rowTrack(const Grid& cells, int row, const std::string& samplePath, MidiMapping mapping)
{
    MIDItrack track;
    track.name = midiTrackName(samplePath);
    std::uint32_t t = 0;
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
    return track;
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

MIDIfile patternToMidi(const Grid& cells, const CKit& kit, MidiMapping mapping)
{
    MIDIfile file;
    file.tracks.reserve(kRows);
    for (int row = 0; row < kRows; ++row)
        file.tracks.push_back(rowTrack(cells, row, kit.slot(row).name, mapping));
    return file;
}

WriteResult exportMidi(
    const std::string& path, const Grid& cells, std::int32_t tempo, const CKit& kit, MidiMapping mapping)
{
    return patternToMidi(cells, kit, mapping)
        .save(path, static_cast<std::uint32_t>(clampTempo(tempo)), kMidiTicksPerQuarter);
}

} // namespace quom
