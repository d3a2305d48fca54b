#pragma once

#include "core/model/Tempo.h"
#include "core/settings/Settings.h"
#include "core/transport/Transport.h"
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
// It lives as long as the program and outlives every client; AudioOutput's client
// listener hands it each client as it opens and null before it closes. Window thread,
// but the source, which the client's process callback asks each block.
namespace quom {

class JackTransportRole final : public SharedTransport {
public:
    // tempo: Quom's own, which counts the transport's frames; it outlives this object.
    JackTransportRole(const Settings& settings, const TempoSource& tempo);

    void setClient(jack_client_t* client);
    // What the client follows; null while Quom counts its own steps.
    BlockSyncSource* blockSyncSource() noexcept { return sync_.get(); }

    // Play and Stop, to the transport when Quom follows or leads it.
    void requestStart() noexcept override;
    void requestStop() noexcept override;

private:
    const TempoSource& tempo_;
    bool leads_;
    jack_client_t* client_ = nullptr;
    std::unique_ptr<JackTransportSync> sync_;
    std::unique_ptr<JackTimebaseMaster> master_;
};

} // namespace quom
