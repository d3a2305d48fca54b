#include "platform/jack/JackTransportSync.h"

#include "core/sync/TransportPosition.h"

#include <jack/transport.h>

namespace quom {
namespace {

TransportPosition transportPositionOf(jack_transport_state_t state, const jack_position_t& position) noexcept
{
    TransportPosition result;
    // Starting waits for slow clients to reach the position: the transport has not moved yet.
    result.rolling = state == JackTransportRolling;
    result.frame = position.frame;
    if (position.frame_rate > 0)
        result.frameRate = static_cast<int>(position.frame_rate);
    if ((position.valid & JackPositionBBT) != 0) {
        result.hasBarBeatTick = true;
        result.bar = position.bar;
        result.beat = position.beat;
        result.tick = position.tick;
        result.ticksPerBeat = position.ticks_per_beat;
        result.beatsPerBar = position.beats_per_bar;
        result.beatsPerMinute = position.beats_per_minute;
    }
    return result;
}

} // namespace

JackTransportSync::JackTransportSync(const TempoSource& ownTempo, Counting counting) noexcept
    : ownTempo_(ownTempo)
    , counting_(counting)
{
}

std::optional<BlockSync> JackTransportSync::blockSync(const BlockTime&) noexcept
{
    jack_client_t* client = client_.load(std::memory_order_acquire);
    if (client == nullptr)
        return std::nullopt;
    jack_position_t position{};
    const jack_transport_state_t state = jack_transport_query(client, &position);
    TransportPosition transport = transportPositionOf(state, position);
    if (counting_ == Counting::OwnFrames)
        transport.hasBarBeatTick = false;
    return followTransport(transport, ownTempo_.tempo());
}

} // namespace quom
