#pragma once

#include "ui/controls/ValueSlider.h"

// The sliders of the generator windows: each kind shows its value its own way beside
// it and hands the whole number on to its window.
namespace quom {

// "%d %": a percentage the window reads back from the text when the user accepts.
class RandomSlider : public ValueSlider {
public:
    explicit RandomSlider(QLabel& text, QWidget* parent = nullptr)
        : ValueSlider(text, percentage, parent)
    {
    }
};

// "%d %": a channel's mutation range.
class MutateSlider : public ValueSlider {
public:
    explicit MutateSlider(QLabel& text, QWidget* parent = nullptr)
        : ValueSlider(text, percentage, parent)
    {
    }
};

// 0..100 shown as the curve amount -50..50.
class ColorCurvesSlider : public ValueSlider {
public:
    explicit ColorCurvesSlider(QLabel& text, QWidget* parent = nullptr)
        : ValueSlider(
            text, [](int v) { return QString::number(v - 50); }, parent)
    {
    }
};

// 0..200 shown as the offset -100..+100, with a sign when above 0.
class ColorSlider : public ValueSlider {
public:
    explicit ColorSlider(QLabel& text, QWidget* parent = nullptr)
        : ValueSlider(
            text,
            [](int v) { return (v > 100 ? QStringLiteral("+") : QString()) + QString::number(v - 100); },
            parent)
    {
    }
};

// "%d": a wave setting.
class WaveSeqSlider : public ValueSlider {
public:
    explicit WaveSeqSlider(QLabel& text, QWidget* parent = nullptr)
        : ValueSlider(text, plainNumber, parent)
    {
    }
};

// "%d": a filter's amount, 1..100, kept when the user accepts.
class FilterSlider : public ValueSlider {
public:
    explicit FilterSlider(QLabel& text, QWidget* parent = nullptr)
        : ValueSlider(text, plainNumber, parent)
    {
    }
};

// "%d %": how strongly a channel follows the camera, kept on Ok.
class VideoSlider : public ValueSlider {
public:
    explicit VideoSlider(QLabel& text, QWidget* parent = nullptr)
        : ValueSlider(text, percentage, parent)
    {
    }
};

// "%d": one channel of the cell colour, 0..255.
class CellSlider : public ValueSlider {
public:
    explicit CellSlider(QLabel& text, QWidget* parent = nullptr)
        : ValueSlider(text, plainNumber, parent)
    {
    }
};

} // namespace quom
