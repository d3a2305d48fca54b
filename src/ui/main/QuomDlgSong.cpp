// The song commands of the main window: its switch and its window.
#include "ui/main/QuomDlg.h"

namespace quom {

void CQuomDlg::toggleSong()
{
    if (transport_.songOn())
        transport_.stopSong();
    else if (project_.song().empty())
        showStatusText(tr("The song is empty: add patterns to it in the Song List window."));
    else
        transport_.playSong();
    showPatternNumber();
}

void CQuomDlg::openSongWindow() { }

} // namespace quom
