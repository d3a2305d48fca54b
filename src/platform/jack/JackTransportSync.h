#pragma once

#include "core/model/Tempo.h"
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
// safe); setClient on the window thread, as a client opens and before it closes. The
// tempo source outlives this object.
namespace quom {

class JackTransportSync final : public BlockSyncSource {
public:
    enum class Counting : std::uint8_t { MastersBars, OwnFrames };
    JackTransportSync(const TempoSource& ownTempo, Counting counting) noexcept;

    // Null: no client, no position.
    void setClient(jack_client_t* client) noexcept { client_.store(client, std::memory_order_release); }
    std::optional<BlockSync> blockSync(const BlockTime& time) noexcept override;

private:
    std::atomic<jack_client_t*> client_{nullptr};
    const TempoSource& ownTempo_;
    Counting counting_;
};

} // namespace quom
