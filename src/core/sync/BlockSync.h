#pragma once

#include <cstdint>
#include <optional>

// Where the pattern stands, block by block, when Quom follows another program's tempo
// (a MIDI clock, JACK's transport, a Link session) instead of counting its own steps.
//
// A step is a sixteenth of the followed beat. The audio back-end asks its source once per
// block, before Engine::Render, and hands the answer to the engine, which starts step n on
// the first frame at or after the one where the position reaches n: the same frame for
// its own sound, its MIDI out and its clock out.
namespace quom {

// What the back-end knows of the block it is about to render.
struct BlockTime {
    std::uint64_t frame = 0; // the block's first frame on the back-end's running frame count
    std::uint32_t frames = 0;
    std::int64_t hostMicros = 0; // monotonic host time at which that frame is heard
    int sampleRate = 44100;
};

// The source's answer for one block.
struct BlockSync {
    bool rolling = false; // stopped: the pattern stops with it
    double step = 0; // steps since the source's start (bar 1, beat 1) at the block's first frame
    double stepsPerFrame = 0; // > 0: how fast the position moves through the block
    double tempo = 0; // beats per minute, what the window shows
};

// Audio thread: lock-free, allocates nothing, never waits.
class BlockSyncSource {
public:
    virtual ~BlockSyncSource() = default;
    // Nothing while the source has never given a position: Quom counts its own steps.
    // A source that goes away keeps answering from its last tempo.
    virtual std::optional<BlockSync> blockSync(const BlockTime& time) noexcept = 0;
};

} // namespace quom
