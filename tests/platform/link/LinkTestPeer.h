#pragma once

#include "support/OnlyLoopback.h"

#include <QProcess>

#include <cstdint>
#include <string>

// What the Link tests share: the guard that keeps Link off the machine's network, and
// quom_linkpeer, another program in the session, driven line by line.
namespace quom::linktest {

constexpr int kJoinMillis = 10000; // discovery plus the first clock measurements

using ::onlyLoopback;

// How far apart two beat positions are within a bar, in milliseconds at tempo.
double phaseGapMillis(double beatA, double beatB, double tempo);

struct PeerState {
    int peers = -1;
    double tempo = 0;
    bool playing = false;
    double beat = 0; // on a one-bar quantum
};

class LinkPeer {
public:
    explicit LinkPeer(double tempo);
    ~LinkPeer() { leave(); }
    LinkPeer(const LinkPeer&) = delete;
    LinkPeer& operator=(const LinkPeer&) = delete;

    bool started() const { return started_; }
    // One command of LinkPeer.cpp; its answer.
    std::string command(const std::string& line);
    // The peer at host time micros, CLOCK_MONOTONIC.
    PeerState stateAt(std::int64_t micros);
    // Gone without a word, as a crashed program or a lost network.
    void vanish();
    // Leaves the session as a program that quits does.
    void leave();

private:
    QProcess process_;
    bool started_ = false;
};

} // namespace quom::linktest
