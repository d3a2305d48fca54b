#pragma once

#include <QSpinBox>

namespace quom {

// A number field whose arrows keep to one range while typing may go beyond it, so that
// the colour picker can clamp a typed 400 to its limit instead of refusing the keystroke.
class PickerSpinBox : public QSpinBox {
public:
    PickerSpinBox(int arrowMinimum, int arrowMaximum, QWidget* parent = nullptr);

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;

private:
    int arrowMinimum_;
    int arrowMaximum_;
};

} // namespace quom
