#pragma once

#include <QString>

#include <string>

// What the main window keeps saying under its status text: why there is no sound,
// where the recording goes or went, that MIDI control waits for a window, and who
// else is in a Link session.
namespace quom {

struct AudioDeviceFailure;
struct RecordingReport;

QString audioFailureNotice(const AudioDeviceFailure& failure);
QString recordingNotice(const std::string& path);
// The file could not be created, so nothing is recorded.
QString recordingRefusedNotice(const std::string& path);
// A recording that lost sound, or could not be finished, says so here as well as in
// its message.
QString recordedNotice(const RecordingReport& report);
// The JACK server Quom played on went away / answers again.
QString jackServerLostNotice();
QString jackServerBackNotice();
// A window holds the pattern: MIDI control applies when it closes.
QString midiHeldNotice();
// Following a Link session: how many other programs are in it.
QString linkPeersNotice(int peers);
// The session had others and has none now.
QString linkLastPeerLeftNotice();
// The MIDI clock followed stopped sending pulses without a Stop.
QString midiClockLostNotice();

} // namespace quom
