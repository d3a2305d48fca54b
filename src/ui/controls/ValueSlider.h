#pragma once

#include "ui/controls/GUIslider.h"

#include <QString>

#include <functional>

class QLabel;

// A slider that shows its value, truncated to a whole number, in the text beside it and
// hands that number to its window after every change. The kinds of slider the windows
// name (QuomSlider, RandomSlider, MutateSlider, ...) differ only in the text they show.
namespace quom {

class ValueSlider : public GUIslider {
public:
    using Format = QString (*)(int value);

    ValueSlider(QLabel& valueText, Format format, QWidget* parent = nullptr);

    // Called after every change, the text already shown. Set it before the range, whose
    // setting is the first change.
    void setReaction(std::function<void(int)> reaction) { reaction_ = std::move(reaction); }

    // The value truncated, as the text shows it.
    int wholeValue() const noexcept { return static_cast<int>(value()); }
    QLabel& valueText() const noexcept { return valueText_; }

    // The standard look of the windows' sliders: a gradient fill in the window's colours,
    // steps of 1 and 10, and the range.
    void setUp(int minimum, int maximum, int value, int largeStep = 10);

protected:
    void valueChanged(double v) override;

private:
    QLabel& valueText_;
    Format format_;
    std::function<void(int)> reaction_;
};

// "%d": 25 shows as 25.
QString plainNumber(int value);
// "%d %": 25 shows as "25 %".
QString percentage(int value);

} // namespace quom
