#pragma once

#include "ui/controls/PatternToolDlg.h"

#include <array>

// "Offset colors": three sliders add an offset, -100..+100, to the red, green or blue of
// every painted cell: louder or softer, further left or right, higher or lower, for the
// whole pattern at once, always from the pattern as it was when the window opened.
namespace quom {

class CColorsDlg : public PatternToolDlg {
    Q_OBJECT

public:
    explicit CColorsDlg(Project& project, QWidget* parent = nullptr);

private:
    void applyOffsets();

    std::array<int, 3> offsets_{};
    bool initialised_ = false;
};

} // namespace quom
