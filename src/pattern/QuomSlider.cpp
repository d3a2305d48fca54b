#include "pattern/QuomSlider.h"

#include <QLabel>

namespace quom {

QuomSlider::QuomSlider(QLabel& valueLabel, QWidget* parent)
    : GUIslider(parent)
    , label_(valueLabel)
{
    truncated_.store(static_cast<int>(value()), std::memory_order_relaxed);
}

void QuomSlider::valueChanged(double v)
{
    const int whole = static_cast<int>(v);
    truncated_.store(whole, std::memory_order_relaxed);
    label_.setText(QString::number(whole));
    if (reaction_)
        reaction_(whole);
}

} // namespace quom
