#include "platform/jack/JackTimebaseMaster.h"

#include "core/sync/TransportPosition.h"

#include <jack/transport.h>

namespace quom {

JackTimebaseMaster::JackTimebaseMaster(jack_client_t* client, int tempo) noexcept
    : client_(client)
    , tempo_(tempo)
{
    // Not conditional: the setting is the user's request to lead, whoever led before.
    active_ = jack_set_timebase_callback(client_, 0, &JackTimebaseMaster::writePosition, this) == 0;
}

JackTimebaseMaster::~JackTimebaseMaster()
{
    // Another client that took the role since keeps it: the server refuses the release.
    if (active_)
        jack_release_timebase(client_);
}

void JackTimebaseMaster::writePosition(
    jack_transport_state_t, jack_nframes_t, jack_position_t* position, int, void* self) noexcept
{
    const auto* master = static_cast<const JackTimebaseMaster*>(self);
    const BarBeatTick at = barBeatTickAt(position->frame, master->tempo_.load(std::memory_order_relaxed));
    position->valid = static_cast<jack_position_bits_t>(position->valid | JackPositionBBT);
    position->bar = at.bar;
    position->beat = at.beat;
    position->tick = at.tick;
    position->bar_start_tick = at.barStartTick;
    position->beats_per_bar = kMasterBeatsPerBar;
    position->beat_type = kMasterBeatType;
    position->ticks_per_beat = kMasterTicksPerBeat;
    position->beats_per_minute = at.beatsPerMinute;
}

} // namespace quom
