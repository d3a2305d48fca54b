#pragma once

#include <cstdint>
#include <string>

// The user's persistent settings as plain data, with their defaults. The store that
// keeps them between runs is the platform's (SettingsStore).
namespace quom {

struct Settings {
    bool confirmationMessages = true;
    bool loadDefaultKit = true;
    std::int32_t zoom = 0; // cell-pixel steps from the cell size that suits the screen
    std::string audioDevice; // the audio library's default output device, filled in at start-up
    std::int32_t numberOfBuffers = 0; // 0 = the device's own low latency
    std::int32_t bufferSize = 256; // frames per audio buffer
    std::string audioEditor = "audacity";
    std::uint8_t interpolation = 1; // 0 truncate, 1 linear, 2 quadratic
    bool playSamplesAtOwnRate = false; // off: every sample plays as if recorded at 44100 Hz
    std::uint8_t midiInPort = 0;
    std::uint8_t midiInChannel = 0;
    std::uint8_t ccX = 21;
    std::uint8_t ccY = 22;
    std::uint8_t ccRotation = 23;
    std::uint8_t ccTempo = 20;
    std::uint8_t ccRed = 7;
    std::uint8_t ccGreen = 10;
    std::uint8_t ccBlue = 24;
    std::string videoSource; // empty: the first camera; otherwise a video file played as one

    bool operator==(const Settings&) const = default;
};

inline constexpr const char* kGeneralSection = "General Settings";
inline constexpr const char* kAudioSection = "Audio Settings";
inline constexpr const char* kMidiSection = "MIDI Settings";
inline constexpr const char* kVideoSection = "Video Settings";

// Visits every setting in the store's order with its section and key, so that a
// store reads and writes the same keys without listing them twice.
// visit(section, key, member) is called with a bool&, std::string&, std::int32_t&
// or std::uint8_t& member.
template <class S, class Visitor> void forEachSetting(S& s, Visitor&& visit)
{
    visit(kGeneralSection, "confirmation messages", s.confirmationMessages);
    visit(kGeneralSection, "default kit", s.loadDefaultKit);
    visit(kGeneralSection, "zoom", s.zoom);
    visit(kAudioSection, "audio device", s.audioDevice);
    visit(kAudioSection, "buffer size", s.bufferSize);
    visit(kAudioSection, "number of buffers", s.numberOfBuffers);
    visit(kAudioSection, "audio editor", s.audioEditor);
    visit(kAudioSection, "interpolation", s.interpolation);
    visit(kAudioSection, "own sample rate", s.playSamplesAtOwnRate);
    visit(kMidiSection, "MIDI IN port", s.midiInPort);
    visit(kMidiSection, "MIDI IN channel", s.midiInChannel);
    visit(kMidiSection, "cc x", s.ccX);
    visit(kMidiSection, "cc y", s.ccY);
    visit(kMidiSection, "cc rotation", s.ccRotation);
    visit(kMidiSection, "cc tempo", s.ccTempo);
    visit(kMidiSection, "cc red", s.ccRed);
    visit(kMidiSection, "cc green", s.ccGreen);
    visit(kMidiSection, "cc blue", s.ccBlue);
    visit(kVideoSection, "source", s.videoSource);
}

// How stored numbers become settings: a switch is on only for exactly 1 (so a stray
// 2 reads as off), and an 8-bit setting keeps the low 8 bits of whatever is stored.
constexpr bool flagFromStored(std::int64_t stored) noexcept
{
    return stored == 1;
}
constexpr std::uint8_t byteFromStored(std::int64_t stored) noexcept
{
    return static_cast<std::uint8_t>(stored & 0xFF);
}

} // namespace quom
