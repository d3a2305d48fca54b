#pragma once

#include "ui/controls/GUIslider.h"

class QLabel;

namespace quom {

// A slider of the Random window: shows its value as a percentage in its value text,
// from which the window reads the value back when the user accepts.
class RandomSlider : public GUIslider {
public:
    RandomSlider(QLabel& valueText, QWidget* parent = nullptr);

protected:
    void valueChanged(double v) override;

private:
    QLabel& valueText_;
};

} // namespace quom
