#pragma once

#include "core/settings/Settings.h"
#include "core/sync/BlockSync.h"
#include "platform/jack/JackTimebaseMaster.h"
#include "platform/jack/JackTransportSync.h"

#include <memory>

// What Quom does with JACK's transport, by its Sync settings:
// - source "JACK transport": Quom follows the transport. Play and Stop start and stop the
//   transport, and Quom rolls when it rolls, wherever it stands.
// - "transport master" (with Quom's own clock or the transport as source): Quom writes the
//   transport's bars as its timebase master, and plays from the transport's frame so that
//   its steps and the bars it writes fall on the same frames. Play locates the transport to
//   its start and starts it, as Play starts Quom from the first step; Stop stops it. A
//   program that follows the transport rolls with Quom.
// - otherwise (Quom's own clock, a MIDI clock, Link) Quom leaves the transport alone.
//
// Made on the window thread over an open client (anew when the client reconnects) and
// destroyed before it closes; every member is for the window thread but the source, which
// the client's process callback asks each block.
namespace quom {

class JackTransportRole {
public:
    JackTransportRole(jack_client_t* client, const Settings& settings, int tempo);

    // What the process callback follows; null while Quom counts its own steps.
    BlockSyncSource* blockSyncSource() noexcept { return sync_.get(); }

    void setTempo(int tempo) noexcept;
    // True when Play and Stop went to the transport: Quom starts and stops with it.
    bool play() noexcept;
    bool stop() noexcept;

private:
    jack_client_t* client_;
    std::unique_ptr<JackTransportSync> sync_;
    std::unique_ptr<JackTimebaseMaster> master_;
};

} // namespace quom
