#include "ui/main/StatusNotices.h"

#include "core/audio/Recorder.h"
#include "platform/audio/AudioOutput.h"
#include "ui/controls/FileTexts.h"

#include <QObject>

namespace quom {

QString audioFailureNotice(const AudioDeviceFailure& failure)
{
    if (failure.device.empty())
        return QObject::tr("No audio device to play on: no sound. Choose one in Settings.");
    return QObject::tr("Cannot open the audio device \"%1\" (%2): no sound. Choose another in Settings.")
        .arg(fromUtf8(failure.device), fromUtf8(failure.reason));
}

QString recordingNotice(const std::string& path)
{
    return QObject::tr("Recording to \"%1\".").arg(fromUtf8(path));
}

QString recordingRefusedNotice(const std::string& path)
{
    return QObject::tr("Cannot create the recording \"%1\": nothing is recorded.").arg(fromUtf8(path));
}

QString recordedNotice(const RecordingReport& report)
{
    const QString path = fromUtf8(report.path);
    if (report)
        return QObject::tr("Recorded \"%1\".").arg(path);
    if (report.lostFrames == 0)
        return QObject::tr("The recording \"%1\" could not be finished.").arg(path);
    return QObject::tr("Recorded \"%1\", with %2 seconds of sound lost.")
        .arg(path)
        .arg(report.lostSeconds(), 0, 'f', 1);
}

QString jackServerLostNotice()
{
    return QObject::tr("The JACK server stopped: Quom keeps the pattern and reconnects when it returns.");
}

QString jackServerBackNotice()
{
    return QObject::tr("The JACK server is back: Quom plays on it again.");
}

QString midiHeldNotice()
{
    return QObject::tr("MIDI control is held while the window is open, and applied when it closes.");
}

QString linkPeersNotice(int peers)
{
    if (peers == 0)
        return QObject::tr("Link: no other peer.");
    if (peers == 1)
        return QObject::tr("Link: 1 peer.");
    return QObject::tr("Link: %1 peers.").arg(peers);
}

QString linkLastPeerLeftNotice()
{
    return QObject::tr("Link: the last peer left, Quom keeps the tempo.");
}

QString midiClockLostNotice()
{
    return QObject::tr("The MIDI clock stopped: Quom plays on at its last tempo.");
}

} // namespace quom
