#pragma once

#include "ui/controls/GUIslider.h"

#include <functional>

class QLabel;

// A slider of the main window (tempo, volume): shows its value as "%d" in its label
// and hands the whole number to the window, which passes it to the session.
namespace quom {

class QuomSlider : public GUIslider {
public:
    QuomSlider(QLabel& valueLabel, QWidget* parent = nullptr);

    // Called after every change with the value truncated to an integer.
    void setReaction(std::function<void(int)> reaction) { reaction_ = std::move(reaction); }

    // The value truncated, as the label shows it.
    int wholeValue() const noexcept { return static_cast<int>(value()); }

protected:
    void valueChanged(double v) override;

private:
    QLabel& label_;
    std::function<void(int)> reaction_;
};

} // namespace quom
