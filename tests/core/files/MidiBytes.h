#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

// Expected MIDI bytes, spelled out by hand in the tests.
namespace quom::test {

using Bytes = std::vector<std::uint8_t>;

inline void add(Bytes& b, std::initializer_list<int> values)
{
    for (int v : values)
        b.push_back(static_cast<std::uint8_t>(v));
}

inline void add(Bytes& b, std::string_view text)
{
    for (char c : text)
        b.push_back(static_cast<std::uint8_t>(c));
}

// "MThd", length 6, format 1, the chunk count, the division, then the tempo track.
inline Bytes headerAndTempoTrack(int chunks, int division, int us2, int us1, int us0)
{
    Bytes b;
    add(b, "MThd");
    add(b, {0, 0, 0, 6, 0, 1, chunks >> 8, chunks & 0xFF, division >> 8, division & 0xFF});
    add(b, "MTrk");
    add(b, {0, 0, 0, 19, 0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08});
    add(b, {0x00, 0xFF, 0x51, 0x03, us2, us1, us0, 0x00, 0xFF, 0x2F, 0x00});
    return b;
}

// One track chunk: the name meta event, the given event bytes, end of track.
inline void addTrack(Bytes& b, std::string_view name, const Bytes& events)
{
    const std::size_t length = 4 + name.size() + events.size() + 4;
    add(b, "MTrk");
    add(b, {0, 0, static_cast<int>(length >> 8), static_cast<int>(length & 0xFF)});
    add(b, {0x00, 0xFF, 0x03, static_cast<int>(name.size())});
    add(b, name);
    b.insert(b.end(), events.begin(), events.end());
    add(b, {0x00, 0xFF, 0x2F, 0x00});
}

} // namespace quom::test
