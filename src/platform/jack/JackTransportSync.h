#pragma once

#include "core/sync/BlockSync.h"

#include <jack/types.h>

#include <atomic>
#include <cstdint>

// Follows JACK's transport: rolling or stopped, and where it stands, as the steps Quom
// plays. A timebase master's bar, beat, tick and tempo where one writes them; otherwise,
// and always while Quom is the master itself, the transport's frame counted at Quom's own
// tempo: its own ticks, rounded to whole ticks, would place its steps up to a tick late.
// A locate is a jump in the position, at which the engine re-anchors.
//
// Threads: blockSync on the client's process thread (jack_transport_query is real-time
// safe); setOwnTempo on any thread. The client outlives this object.
namespace quom {

class JackTransportSync final : public BlockSyncSource {
public:
    enum class Counting : std::uint8_t { MastersBars, OwnFrames };
    JackTransportSync(
        jack_client_t* client, int ownTempo, Counting counting = Counting::MastersBars) noexcept;

    std::optional<BlockSync> blockSync(const BlockTime& time) noexcept override;

    // The tempo that counts the transport's frames when no master writes a tempo.
    void setOwnTempo(int tempo) noexcept { ownTempo_.store(tempo, std::memory_order_relaxed); }

private:
    jack_client_t* client_;
    std::atomic<int> ownTempo_;
    Counting counting_;
};

} // namespace quom
