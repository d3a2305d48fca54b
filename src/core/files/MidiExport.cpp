#include "core/files/MidiExport.h"

namespace quom {
namespace {

constexpr std::uint8_t kPanController = 10;

MIDItrack rowTrack(const Grid& cells, int row, const std::string& samplePath)
{
    MIDItrack track;
    track.name = midiTrackName(samplePath);
    const auto channel = static_cast<std::uint8_t>(row % 16);
    std::uint32_t t = 0;
    for (int column = 0; column < kColumns; ++column, t += kMidiTicksPerColumn) {
        const Cell cell = cells[cellIndex(column, row)];
        if (cell == 0)
            continue;
        const auto velocity = static_cast<std::uint8_t>(redOf(cell) / 2);
        const auto pan = static_cast<std::uint8_t>(greenOf(cell) / 2);
        const auto note = static_cast<std::uint8_t>(blueOf(cell) / 2);
        track.events.push_back({t, static_cast<std::uint8_t>(0xB0 | channel), kPanController, pan, {}});
        if (velocity == 0)
            continue;
        track.events.push_back({t, static_cast<std::uint8_t>(0x90 | channel), note, velocity, {}});
        track.events.push_back(
            {t + kMidiTicksPerColumn, static_cast<std::uint8_t>(0x80 | channel), note, 0, {}});
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

MIDIfile patternToMidi(const Grid& cells, const CKit& kit)
{
    MIDIfile file;
    file.tracks.reserve(kRows);
    for (int row = 0; row < kRows; ++row)
        file.tracks.push_back(rowTrack(cells, row, kit.slot(row).name));
    return file;
}

WriteResult exportMidi(const std::string& path, const Grid& cells, std::int32_t tempo, const CKit& kit)
{
    return patternToMidi(cells, kit)
        .save(path, static_cast<std::uint32_t>(clampTempo(tempo)), kMidiTicksPerQuarter);
}

} // namespace quom
