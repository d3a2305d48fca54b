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

void CQuomDlg::applyMidiOut()
{
    // The clock stops by itself while another program leads.
    output_.midiOutFeed().setClockOut(settings_.midiClockOut);
    if (midiOut_ && !midiOut_->connect(settings_.midiOutPort))
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
