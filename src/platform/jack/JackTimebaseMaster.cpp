#include "platform/jack/JackTimebaseMaster.h"

#include "core/sync/TransportPosition.h"

#include <jack/transport.h>

namespace quom {
namespace {

void writePosition(
    jack_transport_state_t, jack_nframes_t, jack_position_t* position, int, void* tempo) noexcept
{
    const BarBeatTick at = barBeatTickAt(position->frame, static_cast<const TempoSource*>(tempo)->tempo());
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

} // namespace

JackTimebaseMaster::JackTimebaseMaster(jack_client_t* client, const TempoSource& tempo) noexcept
    : client_(client)
{
    // Not conditional: the setting is the user's request to lead, whoever led before.
    // JACK's callback takes a mutable pointer; the source is only read.
    active_ = jack_set_timebase_callback(client_, 0, writePosition, const_cast<TempoSource*>(&tempo)) == 0;
}

JackTimebaseMaster::~JackTimebaseMaster()
{
    // Another client that took the role since keeps it: the server refuses the release.
    if (active_)
        jack_release_timebase(client_);
}

} // namespace quom
