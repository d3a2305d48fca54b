#pragma once

#include <QProcess>

#include <jack/types.h>

#include <chrono>
#include <functional>
#include <string>

// A private JACK server for one test: the dummy driver at 44100 Hz in periods of 256
// frames, synchronous (-S), under a name of its own so that runs never meet each other or
// a user's server; stopped with SIGTERM.
class JackTestServer {
public:
    // Starts jackd when it is installed; running() says whether it answers.
    JackTestServer();
    ~JackTestServer();
    JackTestServer(const JackTestServer&) = delete;
    JackTestServer& operator=(const JackTestServer&) = delete;

    static bool installed();
    bool running() const { return running_; }

    // A client of this server, or null.
    jack_client_t* open(const char* clientName) const;

private:
    std::string name_;
    QProcess jackd_;
    bool running_ = false;
};

// Polls condition every millisecond until it holds or timeout passes (a bound on a slow
// machine, never a measure of speed).
bool waitUntil(
    const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(10));
