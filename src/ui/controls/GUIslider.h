#pragma once

#include <QColor>
#include <QRect>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>

namespace quom {

// The owner-drawn horizontal slider of every window. It edits a real value between a
// minimum and a maximum with the mouse and the keyboard; a window derives its own slider
// and overrides valueChanged(), which runs after every change (and after every key that
// moves it, even at an end).
class GUIslider : public QWidget {
public:
    // Fills the track from its start up to the thumb with a gradient.
    static constexpr std::uint32_t kGradientFill = 4;

    // In this order: highlight, shadow, track, thumb, gradient start, gradient end,
    // major tick, minor tick, background.
    enum ColorRole {
        Highlight,
        Shadow,
        Track,
        Thumb,
        GradientStart,
        GradientEnd,
        MajorTick,
        MinorTick,
        Background
    };
    using Colors = std::array<QColor, 9>;

    explicit GUIslider(QWidget* parent = nullptr);

    // Returns the previous flags.
    std::uint32_t setStyle(std::uint32_t flags);
    std::uint32_t style() const { return style_; }

    // Refused (false, nothing changes) unless minimum < maximum and the value lies
    // between them; otherwise reports the value to valueChanged().
    bool setRange(double minimum, double maximum, double value);
    // Refused unless small < large and neither is 0.
    bool setSteps(double small, double large);
    void setColors(const Colors& colors);
    // Clamped to the range; always reported to valueChanged().
    void setValue(double v);

    double value() const { return value_; }
    double minimum() const { return minimum_; }
    double maximum() const { return maximum_; }
    double smallStep() const { return smallStep_; }
    double largeStep() const { return largeStep_; }
    const Colors& colors() const { return colors_; }

    // The look every window gives its sliders: gradient fill on the dark background.
    static Colors windowColors();

    QSize sizeHint() const override { return {100, 15}; }

protected:
    virtual void valueChanged(double v);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    double clamped(double v) const;
    double fraction() const;
    // Recomputes the track and thumb rectangles for the current size and value.
    void layoutParts();
    // Stores v (clamped) and tells the subclass when it differs from the old value.
    void moveTo(double v);
    // The unclamped value a key asks for; nothing for keys the slider has no use for.
    std::optional<double> targetFor(int key, Qt::KeyboardModifiers modifiers) const;

    double minimum_ = 0;
    double maximum_ = 127;
    double value_ = 64;
    double smallStep_ = 1;
    double largeStep_ = 10;
    std::uint32_t style_ = 2;
    int trackHeight_ = 10;
    int thumbWidth_ = 14;
    Colors colors_;
    bool dragging_ = false;
    QRect track_;
    QRect thumb_;
};

} // namespace quom
