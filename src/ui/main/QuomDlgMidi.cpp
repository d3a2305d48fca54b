// Live control from a MIDI controller, on the window thread.
#include "ui/main/QuomDlg.h"

#include "core/settings/Settings.h"
#include "platform/audio/AudioOutput.h"
#include "platform/midi/AlsaMidiOut.h"
#include "platform/midi/MidiInput.h"
#include "ui/main/StatusNotices.h"

namespace quom {

void CQuomDlg::openMidiInput()
{
    if (!midi_)
        return;
    // A machine with no MIDI device at all is not told so at every start: Quom's own
    // port is open for a controller to be connected later.
    const bool devices = !midi_->portNames().empty();
    if (!midi_->open(settings_.midiInPort) && devices)
        prompts_->message(this, tr("Unable to open MIDI IN default port"), tr("Error"));
}

std::vector<std::string> CQuomDlg::midiOutDestinations() const
{
    std::vector<std::string> ports = midiOut_ ? midiOut_->destinationNames() : std::vector<std::string>{};
    const std::vector<std::string> jack = output_.jackMidiDestinations();
    ports.insert(ports.end(), jack.begin(), jack.end());
    return ports;
}

void CQuomDlg::applyMidiOut()
{
    // The clock stops by itself while another program leads.
    output_.setClockOut(settings_.midiClockOut);
    // The port counts the sequencer's destinations first, then JACK's.
    const int alsaPorts = midiOut_ ? static_cast<int>(midiOut_->destinationNames().size()) : 0;
    const int port = settings_.midiOutPort;
    const std::vector<std::string> jack = output_.jackMidiDestinations();
    const bool jackPort = port >= alsaPorts && port - alsaPorts < static_cast<int>(jack.size());
    const bool jackConnected
        = output_.connectJackMidiOut(jackPort ? jack[static_cast<std::size_t>(port - alsaPorts)] : "");
    const bool alsaConnected = midiOut_ && midiOut_->connect(jackPort ? -1 : port);
    if (port >= 0 && !(jackPort ? jackConnected : alsaConnected))
        showStatusText(tr("Unable to open MIDI OUT port"));
}

void CQuomDlg::applyMidiMessage(std::uint32_t message)
{
    if (liveControl_.handle(message))
        midiRest_.start();
    if (liveControl_.holding() && midiNotice_.isEmpty()) {
        midiNotice_ = midiHeldNotice();
        showNotices();
    }
}

void CQuomDlg::patternReturned()
{
    // Nothing waits once the window has let the pattern go.
    midiNotice_.clear();
    showNotices();
}

} // namespace quom
