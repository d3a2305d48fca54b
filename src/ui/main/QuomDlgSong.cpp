// The song commands of the main window: its switch and its window.
#include "ui/main/QuomDlg.h"

#include "ui/song/CSongDlg.h"

#include <algorithm>

namespace quom {

void CQuomDlg::toggleSong()
{
    if (transport_.songOn())
        transport_.stopSong();
    else if (project_.song().empty())
        showStatusText(tr("The song is empty: add patterns to it in the Song List window."));
    else
        transport_.playSong(std::max(0, songWindowSelection()));
    showPatternNumber();
}

void CQuomDlg::openSongWindow()
{
    // Modeless, so the entry playing shows while the musician plays.
    if (songWindow_ == nullptr)
        songWindow_ = new CSongDlg(project_, transport_, this);
    songWindow_->show();
    songWindow_->raise();
    songWindow_->activateWindow();
}

int CQuomDlg::songWindowSelection() const
{
    return songWindow_ != nullptr && songWindow_->isVisible() ? songWindow_->selectedEntry() : -1;
}

} // namespace quom
