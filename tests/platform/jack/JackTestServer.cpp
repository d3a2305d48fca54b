#include "platform/jack/JackTestServer.h"

#include <QStandardPaths>

#include <jack/jack.h>

#include <csignal>
#include <sys/prctl.h>
#include <thread>
#include <unistd.h>

namespace {

void silent(const char*) { }

} // namespace

JackTestServer::JackTestServer()
    : name_("quom-test-" + std::to_string(getpid()) + "-"
        + std::to_string(reinterpret_cast<std::uintptr_t>(this)))
{
    // A failed probe of the server would print to the test's output.
    jack_set_error_function(silent);
    jack_set_info_function(silent);
    if (!installed())
        return;
    // A test that dies still ends its server, which then leaves the server list clean: JACK
    // keeps eight names and takes back only a dead server's own name.
    jackd_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    jackd_.setProcessChannelMode(QProcess::MergedChannels);
    jackd_.setStandardOutputFile(QProcess::nullDevice());
    jackd_.start("jackd",
        {"-n", QString::fromStdString(name_), "-S", "--no-realtime", "-d", "dummy", "-r", "44100", "-p",
            "256"});
    if (!jackd_.waitForStarted())
        return;
    running_ = waitUntil([this] {
        jack_client_t* probe = open("probe");
        if (probe != nullptr)
            jack_client_close(probe);
        return probe != nullptr;
    });
}

JackTestServer::~JackTestServer()
{
    if (jackd_.state() == QProcess::NotRunning)
        return;
    jackd_.terminate();
    if (!jackd_.waitForFinished(10000))
        jackd_.kill();
}

bool JackTestServer::installed()
{
    return !QStandardPaths::findExecutable("jackd").isEmpty();
}

jack_client_t* JackTestServer::open(const char* clientName) const
{
    const auto options = static_cast<jack_options_t>(JackNoStartServer | JackServerName);
    // On a loaded machine the server may answer an open too late for the client, which
    // then gives up: a running server is asked again.
    jack_client_t* client = nullptr;
    for (int attempt = 0; attempt < 5 && client == nullptr; ++attempt)
        client = jack_client_open(clientName, options, nullptr, name_.c_str());
    return client;
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
