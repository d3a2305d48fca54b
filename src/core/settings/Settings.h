#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

// The user's persistent settings as plain data, with their defaults. The store that
// keeps them between runs is the platform's (SettingsStore).
namespace quom {

// Who decides the tempo and the position: Quom itself, or another program it follows.
enum class SyncSource : std::uint8_t { Internal, MidiClock, JackTransport, Link };

// When a switch to another pattern asked for while playing happens: at once, or on the
// frame where the playing pattern wraps from its last step to its first.
enum class PatternSwitch : std::uint8_t { AtOnce, AtPatternEnd };

struct Settings {
    bool confirmationMessages = true;
    bool loadDefaultKit = true;
    std::int32_t zoom = 0; // cell-pixel steps from the cell size that suits the screen
    PatternSwitch patternSwitch = PatternSwitch::AtOnce;
    std::uint8_t stemFiles = 0; // Export stems: 0 a file per row, 1 per block of 16 rows (StemGrouping)
    std::uint8_t stemFormat = 1; // 0 32-bit float, 1 16-bit sharing the mix's gain (StemFormat)
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
    std::int32_t midiOutPort = -1; // -1: none chosen; Quom's own output port is always there
    std::uint8_t midiOutMapping = 0; // 0 as the MIDI export, 1 notes by row (MidiMapping)
    bool ownSound = true; // off: the pattern drives MIDI out only
    std::string videoSource; // empty: the first camera; otherwise a video file played as one
    SyncSource syncSource = SyncSource::Internal;
    bool midiClockOut = false; // Quom sends MIDI clock on its MIDI out while it plays
    bool transportMaster = false; // under JACK, Quom is the transport's timebase master

    bool operator==(const Settings&) const = default;
};

// The numbers a numeric setting can take: what the code that uses it can work with. A
// stored number outside is brought to the nearer end as it is read.
struct SettingRange {
    std::int64_t lowest;
    std::int64_t highest;
};

// Cell-pixel steps: from the largest usual cell down to the smallest, and up to cells
// that fill the largest screens.
inline constexpr SettingRange kZoomRange{-5, 40};
// Frames per callback, within what audio libraries and devices accept.
inline constexpr SettingRange kBufferSizeRange{16, 8192};
// Up to some seconds of latency with the largest buffers.
inline constexpr SettingRange kNumberOfBuffersRange{0, 128};
inline constexpr SettingRange kInterpolationRange{0, 2};
inline constexpr SettingRange kMidiPortRange{0, 255};
inline constexpr SettingRange kMidiChannelRange{0, 15};
inline constexpr SettingRange kMidiOutPortRange{-1, 255};
inline constexpr SettingRange kMidiMappingRange{0, 1};
// 128 is "none": no controller drives the role.
inline constexpr SettingRange kControllerRange{0, 128};
inline constexpr SettingRange kSyncSourceRange{0, static_cast<std::int64_t>(SyncSource::Link)};
inline constexpr SettingRange kStemFilesRange{0, 1};
inline constexpr SettingRange kStemFormatRange{0, 1};
inline constexpr SettingRange kPatternSwitchRange{0, static_cast<std::int64_t>(PatternSwitch::AtPatternEnd)};

inline constexpr const char* kGeneralSection = "General Settings";
inline constexpr const char* kAudioSection = "Audio Settings";
inline constexpr const char* kMidiSection = "MIDI Settings";
inline constexpr const char* kVideoSection = "Video Settings";
inline constexpr const char* kSyncSection = "Sync Settings";

// Visits every setting in the store's order with its section and key, so that a
// store reads and writes the same keys without listing them twice.
// visit(section, key, member) is called with a bool& or std::string& member,
// visit(section, key, member, range) with a std::int32_t&, std::uint8_t& or 8-bit enum& member.
template <class S, class Visitor> void forEachSetting(S& s, Visitor&& visit)
{
    visit(kGeneralSection, "confirmation messages", s.confirmationMessages);
    visit(kGeneralSection, "default kit", s.loadDefaultKit);
    visit(kGeneralSection, "zoom", s.zoom, kZoomRange);
    visit(kGeneralSection, "switch patterns", s.patternSwitch, kPatternSwitchRange);
    visit(kGeneralSection, "stem files", s.stemFiles, kStemFilesRange);
    visit(kGeneralSection, "stem format", s.stemFormat, kStemFormatRange);
    visit(kAudioSection, "audio device", s.audioDevice);
    visit(kAudioSection, "buffer size", s.bufferSize, kBufferSizeRange);
    visit(kAudioSection, "number of buffers", s.numberOfBuffers, kNumberOfBuffersRange);
    visit(kAudioSection, "audio editor", s.audioEditor);
    visit(kAudioSection, "interpolation", s.interpolation, kInterpolationRange);
    visit(kAudioSection, "own sample rate", s.playSamplesAtOwnRate);
    visit(kMidiSection, "MIDI IN port", s.midiInPort, kMidiPortRange);
    visit(kMidiSection, "MIDI IN channel", s.midiInChannel, kMidiChannelRange);
    visit(kMidiSection, "cc x", s.ccX, kControllerRange);
    visit(kMidiSection, "cc y", s.ccY, kControllerRange);
    visit(kMidiSection, "cc rotation", s.ccRotation, kControllerRange);
    visit(kMidiSection, "cc tempo", s.ccTempo, kControllerRange);
    visit(kMidiSection, "cc red", s.ccRed, kControllerRange);
    visit(kMidiSection, "cc green", s.ccGreen, kControllerRange);
    visit(kMidiSection, "cc blue", s.ccBlue, kControllerRange);
    visit(kMidiSection, "MIDI OUT port", s.midiOutPort, kMidiOutPortRange);
    visit(kMidiSection, "MIDI OUT mapping", s.midiOutMapping, kMidiMappingRange);
    visit(kMidiSection, "own sound", s.ownSound);
    visit(kVideoSection, "source", s.videoSource);
    visit(kSyncSection, "source", s.syncSource, kSyncSourceRange);
    visit(kSyncSection, "clock out", s.midiClockOut);
    visit(kSyncSection, "transport master", s.transportMaster);
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

constexpr std::int64_t clampToRange(std::int64_t value, SettingRange range) noexcept
{
    return std::clamp(value, range.lowest, range.highest);
}

// A stored number that was out of its setting's range, and the value used instead.
struct ClampedSetting {
    std::string key;
    std::int64_t stored = 0;
    std::int64_t used = 0;

    bool operator==(const ClampedSetting&) const = default;
};

} // namespace quom
