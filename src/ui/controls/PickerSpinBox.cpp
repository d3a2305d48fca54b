#include "ui/controls/PickerSpinBox.h"

#include <algorithm>

namespace quom {

PickerSpinBox::PickerSpinBox(int arrowMinimum, int arrowMaximum, QWidget* parent)
    : QSpinBox(parent)
    , arrowMinimum_(arrowMinimum)
    , arrowMaximum_(arrowMaximum)
{
    setRange(-9999, 9999);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
}

void PickerSpinBox::stepBy(int steps)
{
    setValue(std::clamp(value() + steps, arrowMinimum_, arrowMaximum_));
    selectAll();
}

QAbstractSpinBox::StepEnabled PickerSpinBox::stepEnabled() const
{
    StepEnabled enabled = StepNone;
    if (value() < arrowMaximum_)
        enabled |= StepUpEnabled;
    if (value() > arrowMinimum_)
        enabled |= StepDownEnabled;
    return enabled;
}

} // namespace quom
