#include "core/files/MidiFile.h"

#include <algorithm>

namespace quom {
namespace {

// Three bytes hold the microseconds per quarter note: below 4 beats per minute the
// true value does not fit, and the slowest tempo the format can state is written.
constexpr std::uint32_t kMaxMicrosecondsPerQuarter = 0xFFFFFF;

void writeTempo(ByteWriter& out, std::uint32_t tempo)
{
    const std::uint32_t micros = std::min(60000000u / std::max(tempo, 1u), kMaxMicrosecondsPerQuarter);
    for (std::uint8_t b : {0xFF, 0x51, 0x03})
        out.u8(b);
    out.u8(static_cast<std::uint8_t>(micros >> 16));
    out.u8(static_cast<std::uint8_t>(micros >> 8));
    out.u8(static_cast<std::uint8_t>(micros));
}

void writeTempoTrack(ByteWriter& out, std::uint32_t tempo, const std::vector<MidiTempoChange>& changes)
{
    out.text("MTrk");
    const std::size_t lengthField = out.size();
    out.u32be(0);
    for (std::uint8_t b : {0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08})
        out.u8(b); // 4/4, 24 MIDI clocks per click, eight 32nd notes per quarter
    out.u8(0x00);
    writeTempo(out, tempo);
    std::uint32_t previous = 0;
    for (const MidiTempoChange& change : changes) {
        writeVarLen(out, change.time - previous);
        previous = change.time;
        writeTempo(out, change.tempo);
    }
    for (std::uint8_t b : {0x00, 0xFF, 0x2F, 0x00})
        out.u8(b);
    out.patchU32be(lengthField, static_cast<std::uint32_t>(out.size() - lengthField - 4));
}

void writeEvent(ByteWriter& out, const MIDIevent& event)
{
    if (event.status >= 0xF0) {
        out.raw(event.raw);
        return;
    }
    out.u8(event.status);
    out.u8(event.data1);
    if (!event.isProgramChange() && !event.isChannelPressure())
        out.u8(event.data2);
}

void writeTrack(ByteWriter& out, const MIDItrack& track)
{
    out.text("MTrk");
    const std::size_t lengthField = out.size();
    out.u32be(0);

    out.u8(0x00);
    out.u8(0xFF);
    out.u8(0x03);
    writeVarLen(out, static_cast<std::uint32_t>(track.name.size()));
    out.text(track.name);

    std::uint32_t previous = 0;
    for (const MIDIevent& event : track.events) {
        writeVarLen(out, event.time - previous);
        previous = event.time;
        writeEvent(out, event);
    }
    for (std::uint8_t b : {0x00, 0xFF, 0x2F, 0x00})
        out.u8(b);
    out.patchU32be(lengthField, static_cast<std::uint32_t>(out.size() - lengthField - 4));
}

} // namespace

int writeVarLen(ByteWriter& out, std::uint32_t value)
{
    int groups = 1;
    while (groups < 4 && (value >> (7 * groups)) != 0)
        ++groups;
    for (int g = groups - 1; g >= 0; --g) {
        const auto bits = static_cast<std::uint8_t>((value >> (7 * g)) & 0x7F);
        out.u8(g > 0 ? bits | 0x80 : bits);
    }
    return groups;
}

std::vector<std::uint8_t> MIDIfile::encode(std::uint32_t tempo, std::uint16_t division) const
{
    ByteWriter out;
    out.bytes().reserve(64 + 32 * tracks.size());
    out.text("MThd");
    out.u32be(6);
    out.u16be(1);
    out.u16be(static_cast<std::uint16_t>(tracks.size() + 1));
    out.u16be(division);
    writeTempoTrack(out, tempo, tempoChanges);
    for (const MIDItrack& track : tracks)
        writeTrack(out, track);
    return std::move(out.bytes());
}

WriteResult MIDIfile::save(const std::string& path, std::uint32_t tempo, std::uint16_t division) const
{
    return writeFileAtomically(path, encode(tempo, division));
}

} // namespace quom
