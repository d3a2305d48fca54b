#pragma once

#include "core/generators/WaveSequence.h"
#include "ui/controls/PatternToolDlg.h"

#include <array>

// "Wave Sequence": one line of 64 cells, one per column, whose row follows a waveform,
// redrawn over the starting pattern at every change. The settings are the caller's and
// change as the controls move, so they stay even when the window is cancelled.
namespace quom {

class CCommandButton;

class WaveSeqDlg : public PatternToolDlg {
    Q_OBJECT

public:
    WaveSeqDlg(Project& project, WaveSettings& settings, QWidget* parent = nullptr);

    // The buttons' ids: the six waves in order, then the two flips.
    static constexpr std::array<int, 6> kWaveButtons{1111, 1112, 1113, 1114, 1122, 1025};
    static constexpr int kFlipX = 1123;
    static constexpr int kFlipY = 1026;

    CCommandButton* button(int id) const;

private:
    void chooseWave(Wave wave);
    void showWave();
    void draw();

    WaveSettings& settings_;
    WaveRandoms randoms_;
    bool initialised_ = false;
};

} // namespace quom
