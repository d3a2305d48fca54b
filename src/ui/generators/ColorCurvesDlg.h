#pragma once

#include "core/generators/ColorCurves.h"
#include "ui/controls/PatternToolDlg.h"

// "Color curves": bends each channel of the painted cells through a power curve, with an
// inversion per channel: the dynamics, the stereo spread and the pitch spread of the
// pattern. Three graphs show the curves, each over a strip of the intensities it gives.
namespace quom {

class ColorCurvesDlg : public PatternToolDlg {
    Q_OBJECT

public:
    explicit ColorCurvesDlg(Project& project, QWidget* parent = nullptr);

    const CurveSettings& curves() const noexcept { return curves_; }
    // The top-left pixel of a channel's 64 x 64 plot.
    static QPoint plotOrigin(int channel);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void applyCurves();
    void paintChannel(QPainter& painter, int channel) const;

    CurveSettings curves_;
    bool initialised_ = false;
};

} // namespace quom
