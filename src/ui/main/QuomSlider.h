#pragma once

#include "ui/controls/ValueSlider.h"

// A slider of the main window (tempo, volume): shows its value as "%d" in its label and
// hands the whole number to the window, which passes it to the project or the transport.
namespace quom {

class QuomSlider : public ValueSlider {
public:
    explicit QuomSlider(QLabel& valueLabel, QWidget* parent = nullptr)
        : ValueSlider(valueLabel, plainNumber, parent)
    {
    }
};

} // namespace quom
