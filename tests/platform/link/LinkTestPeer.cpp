#include "LinkTestPeer.h"

#include <cmath>
#include <sstream>

// Link runs threads of its own while the tests start peers and servers; the child of that fork only
// executes the peer, so ThreadSanitizer need not stop it (other builds ignore this).
extern "C" const char* __tsan_default_options() // NOLINT(readability-identifier-naming): its own name
{
    return "die_after_fork=0";
}

namespace quom::linktest {

double phaseGapMillis(double beatA, double beatB, double tempo)
{
    const double gap = std::remainder(beatA - beatB, 4.0);
    return std::abs(gap) * 60000.0 / tempo;
}

LinkPeer::LinkPeer(double tempo)
{
    process_.start(QUOM_LINKPEER, {QString::number(tempo)});
    started_ = process_.waitForStarted();
}

std::string LinkPeer::command(const std::string& line)
{
    process_.write((line + "\n").c_str());
    while (!process_.canReadLine() && process_.waitForReadyRead(5000)) { }
    return process_.readLine().trimmed().toStdString();
}

PeerState LinkPeer::stateAt(std::int64_t micros)
{
    std::istringstream words(command("state " + std::to_string(micros)));
    std::string word;
    PeerState state;
    int playing = 0;
    words >> word >> state.peers >> state.tempo >> playing >> state.beat;
    state.playing = playing != 0;
    return state;
}

void LinkPeer::vanish()
{
    process_.kill();
    process_.waitForFinished();
}

void LinkPeer::leave()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.closeWriteChannel();
    if (!process_.waitForFinished(5000))
        process_.kill();
    process_.waitForFinished();
}

} // namespace quom::linktest
