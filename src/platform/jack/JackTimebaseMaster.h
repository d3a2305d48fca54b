#pragma once

#include <jack/types.h>

#include <atomic>

// Quom as JACK's timebase master: it writes the transport's bar, beat and tick (4/4, 1920
// ticks per beat) and its tempo, so that a program following the transport counts Quom's
// bars. The user asked for it by a setting, so it takes the role from any other master.
//
// Made and destroyed on the window thread while the client is open; the callback runs on
// the client's process thread and reads the tempo from an atomic.
namespace quom {

class JackTimebaseMaster {
public:
    JackTimebaseMaster(jack_client_t* client, int tempo) noexcept;
    // Hands the role back, when Quom still holds it.
    ~JackTimebaseMaster();
    JackTimebaseMaster(const JackTimebaseMaster&) = delete;
    JackTimebaseMaster& operator=(const JackTimebaseMaster&) = delete;

    // False when the server refused the role.
    bool active() const noexcept { return active_; }
    void setTempo(int tempo) noexcept { tempo_.store(tempo, std::memory_order_relaxed); }

private:
    static void writePosition(
        jack_transport_state_t, jack_nframes_t, jack_position_t* position, int, void* self) noexcept;

    jack_client_t* client_;
    std::atomic<int> tempo_;
    bool active_ = false;
};

} // namespace quom
