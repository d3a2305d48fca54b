#pragma once

#include "platform/devices/RealtimeThreads.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Quom's MIDI out on the ALSA sequencer: the port "MIDI Out" of a client "Quom" (a
// second client of that name beside MIDI input's, whose handle RtMidi keeps to itself),
// to which a patchbay can connect any instrument, and a connection to one chosen
// destination. The audio callback hands each block's messages over through a
// MidiOutFeed; a thread of this output schedules them on a sequencer queue at the host
// time they are due, so that they leave at the frame they were stamped for however late
// the thread wakes within the output latency, rather than when it gets round to them.
//
// Threads. Every public member is for the window thread. The scheduling thread only takes
// from the feed and talks to the sequencer, under a mutex it shares with the window
// thread's calls, never with the audio callback.
namespace quom {

class MidiOutFeed;

class AlsaMidiOut {
public:
    // Opens the client, its port and its queue, and starts scheduling what feed hands
    // over. Without a sequencer (no sound devices at all) it stays closed and leaves the
    // feed off.
    explicit AlsaMidiOut(MidiOutFeed& feed);
    // Stops the feed, sends a note-off for every note a receiver may still hold, then
    // closes: what still waits in the queue is dropped with it.
    ~AlsaMidiOut();
    AlsaMidiOut(const AlsaMidiOut&) = delete;
    AlsaMidiOut& operator=(const AlsaMidiOut&) = delete;

    bool isOpen() const noexcept { return sequencer_ != nullptr; }
    // The sequencer's address of "MIDI Out"; -1 when closed.
    int client() const noexcept;
    int port() const noexcept;

    // The ports of other clients that take MIDI, as "client:port client-id:port-id" the
    // way MIDI input names its ports: ALSA's part of the list the MIDI OUT port setting
    // indexes.
    std::vector<std::string> destinationNames() const;
    // Connects "MIDI Out" to destination (an index into destinationNames()) in place of
    // the one chosen before, which first hears a note-off for every note it may hold. Any
    // other number (-1 for none, or a port of another MIDI system further down the list)
    // leaves only the patchbay's connections. False when the destination cannot be
    // connected.
    bool connect(int destination);

    struct Sequencer;

private:
    void run();
    void endHeldNotes();

    MidiOutFeed& feed_;
    std::unique_ptr<Sequencer> sequencer_;
    // The sequencer's handle (which is not thread-safe) and its held notes, between the
    // window thread and the scheduling thread.
    mutable std::mutex mutex_;
    std::atomic<bool> stopping_{false};
    RealtimeRequest realtime_{"MIDI"};
    std::thread thread_;
};

} // namespace quom
