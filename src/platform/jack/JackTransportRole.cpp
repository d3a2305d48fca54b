#include "platform/jack/JackTransportRole.h"

#include <jack/transport.h>

namespace quom {

JackTransportRole::JackTransportRole(jack_client_t* client, const Settings& settings, int tempo)
    : client_(client)
{
    const bool follows = settings.syncSource == SyncSource::JackTransport;
    // Following a MIDI clock or Link, Quom's steps are theirs, not bars it could write.
    const bool leads = settings.transportMaster && (follows || settings.syncSource == SyncSource::Internal);
    if (leads)
        master_ = std::make_unique<JackTimebaseMaster>(client, tempo);
    if (follows || leads)
        sync_ = std::make_unique<JackTransportSync>(client, tempo,
            leads ? JackTransportSync::Counting::OwnFrames : JackTransportSync::Counting::MastersBars);
}

void JackTransportRole::setTempo(int tempo) noexcept
{
    if (sync_)
        sync_->setOwnTempo(tempo);
    if (master_)
        master_->setTempo(tempo);
}

bool JackTransportRole::play() noexcept
{
    if (!sync_)
        return false;
    if (master_)
        jack_transport_locate(client_, 0);
    jack_transport_start(client_);
    return true;
}

bool JackTransportRole::stop() noexcept
{
    if (!sync_)
        return false;
    jack_transport_stop(client_);
    return true;
}

} // namespace quom
