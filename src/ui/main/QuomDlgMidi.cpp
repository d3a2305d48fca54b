// Live control from a MIDI controller, on the window thread.
#include "ui/main/QuomDlg.h"

#include "core/edit/Transforms.h"
#include "core/settings/Settings.h"
#include "platform/midi/MidiInput.h"
#include "ui/controls/PatternToolDlg.h"
#include "ui/generators/CCellDlg.h"
#include "ui/main/CanvasTools.h"

#include <QApplication>

namespace quom {

namespace {

// A window that keeps a starting pattern copies it back when cancelled, and records
// one undo state when accepted: a controller must not change the pattern under it.
bool patternIsLent()
{
    QWidget* modal = QApplication::activeModalWidget();
    return dynamic_cast<PatternToolDlg*>(modal) || dynamic_cast<CCellDlg*>(modal);
}

} // namespace

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

void CQuomDlg::applyMidiMessage(std::uint32_t message)
{
    for (const MidiAction& action : midiControl_.handle(message, settings_)) {
        if (action.kind == MidiAction::Kind::SetTempo) {
            session_.changeTempo(action.a);
            continue;
        }
        if (patternIsLent())
            continue;
        switch (action.kind) {
        case MidiAction::Kind::SelectPattern:
            // The moves so far belong to the pattern being left, whose history goes.
            midiRest_.stop();
            tools_->placeFloating();
            session_.selectPattern(action.a);
            continue;
        case MidiAction::Kind::Scroll:
            session_.liveEdit([&action](Grid& g) { quom::scroll(g, action.a, action.b); });
            break;
        case MidiAction::Kind::Rotate:
            session_.liveEdit([&action](Grid& g) { rotateQuarterTurns(g, action.a); });
            break;
        case MidiAction::Kind::OffsetColors:
            session_.liveEdit([&action](Grid& g) { quom::offsetColours(g, action.a, action.b, action.c); });
            break;
        case MidiAction::Kind::SetTempo:
            break;
        }
        midiRest_.start();
    }
}

void CQuomDlg::recordMidiMoves()
{
    // Under a lent pattern the window that holds it records its own state.
    if (!patternIsLent())
        session_.recordUndo();
}

} // namespace quom
