#pragma once

#include "ui/controls/Theme.h"
#include "ui/controls/ValueSlider.h"

#include <QLabel>
#include <QString>

#include <array>

// The rows the tool windows are built of, placed in dialog units: a static text, and a
// caption with a slider and the text showing its value.
namespace quom {

inline QLabel* addStaticText(QWidget* window, const QString& text, int x, int y, int width)
{
    auto* label = new QLabel(text, window);
    theme::place(label, x, y, width, 8);
    return label;
}

// The colour windows' red, green and blue rows: slider names and captions.
struct ChannelRow {
    const char* name;
    const char* caption;
};
inline constexpr std::array<ChannelRow, 3> kChannelRows{
    {{"red", "Red"}, {"green", "Green"}, {"blue", "Blue"}}};

// Where a slider row's three parts go across the window.
struct SliderRowColumns {
    int captionX = 7;
    int captionWidth = 40;
    int sliderX = 50;
    int sliderWidth = 120;
    int textX = 175;
    int textWidth = 28;
};

// The slider is named name, its caption name + " caption" and its value text
// name + " value". Give the slider its reaction and then its range (ValueSlider::setUp).
template <class Slider>
Slider* addSliderRow(
    QWidget* window, const char* name, const QString& caption, int y, const SliderRowColumns& columns = {})
{
    addStaticText(window, caption, columns.captionX, y + 1, columns.captionWidth)
        ->setObjectName(QString::fromUtf8(name) + QStringLiteral(" caption"));
    QLabel* text = addStaticText(window, QString(), columns.textX, y + 1, columns.textWidth);
    text->setObjectName(QString::fromUtf8(name) + QStringLiteral(" value"));
    auto* slider = new Slider(*text, window);
    slider->setObjectName(QString::fromUtf8(name));
    theme::place(slider, columns.sliderX, y, columns.sliderWidth, 10);
    return slider;
}

} // namespace quom
