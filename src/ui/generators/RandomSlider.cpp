#include "ui/generators/RandomSlider.h"

#include <QLabel>

namespace quom {

RandomSlider::RandomSlider(QLabel& valueText, QWidget* parent)
    : GUIslider(parent)
    , valueText_(valueText)
{
}

void RandomSlider::valueChanged(double v)
{
    valueText_.setText(QStringLiteral("%1 %").arg(static_cast<int>(v)));
}

} // namespace quom
