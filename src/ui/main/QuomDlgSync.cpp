// Following another program's tempo, on the window thread.
#include "ui/main/QuomDlg.h"

#include "core/sync/MidiClockSync.h"
#include "platform/link/LinkSession.h"
#include "ui/controls/CCommandButton.h"
#include "ui/main/QuomSlider.h"
#include "ui/main/StatusNotices.h"

#include <cmath>

namespace quom {

void CQuomDlg::watchFollowedSource()
{
    if (settings_.syncSource == SyncSource::Internal)
        return; // nothing to watch: no timer wakes the window for it
    constexpr int kPollMilliseconds = 100;
    followPoll_.setInterval(kPollMilliseconds);
    connect(&followPoll_, &QTimer::timeout, this, &CQuomDlg::showFollowedSource);
    followPoll_.start();
    if (!link_)
        return;
    connect(link_, &LinkSession::peersChanged, this, [this](int peers) {
        syncNotice_ = linkPeersNotice(peers);
        showNotices();
    });
    connect(link_, &LinkSession::lastPeerLeft, this, [this] {
        syncNotice_ = linkLastPeerLeftNotice();
        showNotices();
    });
}

void CQuomDlg::showFollowedSource()
{
    // The engine says what it followed in its last block: the source's tempo, and
    // whether the source had the pattern rolling.
    const Engine& engine = transport_.engine();
    const double tempo = engine.followedTempo();
    if (tempo > 0) {
        buttons_[CommandId::Play]->setState(engine.rolling());
        const auto bpm = static_cast<int>(std::lround(tempo));
        if (tempo_.slider->wholeValue() != bpm) {
            showingFollowedTempo_ = true;
            tempo_.slider->setValue(bpm);
            showingFollowedTempo_ = false;
        }
    } else if (following_) {
        buttons_[CommandId::Play]->setState(transport_.playing());
        tempoChanged(project_.tempo());
    }
    following_ = tempo > 0;
    if (midiClock_) {
        const QString notice = midiClock_->sourceLost() ? midiClockLostNotice() : QString();
        if (notice != syncNotice_) {
            syncNotice_ = notice;
            showNotices();
        }
    }
}

} // namespace quom
