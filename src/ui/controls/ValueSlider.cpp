#include "ui/controls/ValueSlider.h"

#include <QLabel>

namespace quom {

ValueSlider::ValueSlider(QLabel& valueText, Format format, QWidget* parent)
    : GUIslider(parent)
    , valueText_(valueText)
    , format_(format)
{
}

void ValueSlider::setUp(int minimum, int maximum, int value, int largeStep)
{
    setStyle(kGradientFill);
    setColors(windowColors());
    setSteps(1, largeStep);
    setRange(minimum, maximum, value);
}

void ValueSlider::valueChanged(double v)
{
    const int whole = static_cast<int>(v);
    valueText_.setText(format_(whole));
    if (reaction_)
        reaction_(whole);
}

QString plainNumber(int value)
{
    return QString::number(value);
}

QString percentage(int value)
{
    return QStringLiteral("%1 %").arg(value);
}

} // namespace quom
