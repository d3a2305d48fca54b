#include "platform/jack/JackTransportRole.h"

#include <jack/transport.h>

namespace quom {

JackTransportRole::JackTransportRole(const Settings& settings, const TempoSource& tempo)
    : tempo_(tempo)
    // Following a MIDI clock or Link, Quom's steps are theirs, not bars it could write.
    , leads_(settings.transportMaster
          && (settings.syncSource == SyncSource::Internal
              || settings.syncSource == SyncSource::JackTransport))
{
    if (leads_ || settings.syncSource == SyncSource::JackTransport)
        sync_ = std::make_unique<JackTransportSync>(tempo,
            leads_ ? JackTransportSync::Counting::OwnFrames : JackTransportSync::Counting::MastersBars);
}

void JackTransportRole::setClient(jack_client_t* client)
{
    master_.reset();
    client_ = client;
    if (sync_)
        sync_->setClient(client);
    if (client && leads_)
        master_ = std::make_unique<JackTimebaseMaster>(client, tempo_);
}

void JackTransportRole::requestStart() noexcept
{
    if (!sync_ || !client_)
        return;
    if (leads_)
        jack_transport_locate(client_, 0);
    jack_transport_start(client_);
}

void JackTransportRole::requestStop() noexcept
{
    if (sync_ && client_)
        jack_transport_stop(client_);
}

} // namespace quom
