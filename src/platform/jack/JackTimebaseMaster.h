#pragma once

#include "core/model/Tempo.h"

#include <jack/types.h>

// Quom as JACK's timebase master: it writes the transport's bar, beat and tick (4/4, 1920
// ticks per beat) and its tempo, so that a program following the transport counts Quom's
// bars. The user asked for it by a setting, so it takes the role from any other master.
//
// Made and destroyed on the window thread while the client is open. The callback runs on
// the client's process thread and reads only the tempo source, which outlives the client,
// so a callback still running as the role is handed back reads nothing freed.
namespace quom {

class JackTimebaseMaster {
public:
    JackTimebaseMaster(jack_client_t* client, const TempoSource& tempo) noexcept;
    // Hands the role back, when Quom still holds it.
    ~JackTimebaseMaster();
    JackTimebaseMaster(const JackTimebaseMaster&) = delete;
    JackTimebaseMaster& operator=(const JackTimebaseMaster&) = delete;

    // False when the server refused the role.
    bool active() const noexcept { return active_; }

private:
    jack_client_t* client_;
    bool active_ = false;
};

} // namespace quom
