// The song commands of the main window: its switch and its window.
#include "ui/main/QuomDlg.h"

namespace quom {

void CQuomDlg::toggleSong() { }

void CQuomDlg::openSongWindow() { }

} // namespace quom
