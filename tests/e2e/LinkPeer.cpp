// A second Link peer for the tests: joins a session on the same Link headers as Quom,
// with start/stop sync on, and answers one line on standard output for each command
// line on standard input, so a test can drive it and compare:
//   tempo BPM       sets the session tempo                       -> "ok"
//   play | stop     starts or stops the session's transport      -> "ok"
//   state MICROS    the peer as it stands at host time MICROS    -> "state PEERS TEMPO PLAYING BEAT"
//                   (CLOCK_MONOTONIC microseconds; BEAT on a one-bar quantum)
//   now             the host time now                            -> "now MICROS"
//   quit, or the end of input: leaves the session.
// Argument: the starting tempo (120 when not given).
#include "support/OnlyLoopback.h"

#include <ableton/Link.hpp>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

namespace {

// On CLOCK_MONOTONIC, the tests' clock, where Quom's session runs on Link's own: the
// sessions agree only if Quom converts between the two right.
using MonotonicLink = ableton::BasicLink<ableton::platforms::linux::ClockMonotonic>;
constexpr double kLinkQuantum = 4.0; // one bar, as Quom's

void setPlaying(MonotonicLink& link, bool playing)
{
    auto state = link.captureAppSessionState();
    if (state.isPlaying() == playing)
        return;
    const auto now = link.clock().micros();
    state.setIsPlaying(playing, now);
    if (playing)
        state.requestBeatAtStartPlayingTime(0, kLinkQuantum);
    link.commitAppSessionState(state);
}

void printState(MonotonicLink& link, long long micros)
{
    const auto state = link.captureAppSessionState();
    const std::chrono::microseconds at(micros);
    std::printf("state %zu %.6f %d %.9f\n", link.numPeers(), state.tempo(), state.isPlaying() ? 1 : 0,
        state.beatAtTime(at, kLinkQuantum));
}

} // namespace

int main(int argc, char** argv)
{
    if (!onlyLoopback()) {
        std::fprintf(stderr, "quom_linkpeer: runs only in a network namespace with the loopback alone\n");
        return 77;
    }
    const double tempo = argc > 1 ? std::stod(argv[1]) : 120.0;
    MonotonicLink link(tempo);
    link.enableStartStopSync(true);
    link.enable(true);

    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string command;
        words >> command;
        if (command == "tempo") {
            double bpm = 0;
            words >> bpm;
            auto state = link.captureAppSessionState();
            state.setTempo(bpm, link.clock().micros());
            link.commitAppSessionState(state);
            std::printf("ok\n");
        } else if (command == "play" || command == "stop") {
            setPlaying(link, command == "play");
            std::printf("ok\n");
        } else if (command == "state") {
            long long micros = 0;
            words >> micros;
            printState(link, micros);
        } else if (command == "now") {
            std::printf("now %lld\n", static_cast<long long>(link.clock().micros().count()));
        } else if (command == "quit") {
            break;
        } else {
            std::printf("unknown %s\n", command.c_str());
        }
        std::fflush(stdout);
    }
    link.enable(false);
    return 0;
}
