#include "ui/main/QuomSlider.h"

#include <QLabel>

namespace quom {

QuomSlider::QuomSlider(QLabel& valueLabel, QWidget* parent)
    : GUIslider(parent)
    , label_(valueLabel)
{
}

void QuomSlider::valueChanged(double v)
{
    const int whole = static_cast<int>(v);
    label_.setText(QString::number(whole));
    if (reaction_)
        reaction_(whole);
}

} // namespace quom
