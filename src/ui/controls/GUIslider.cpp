#include "ui/controls/GUIslider.h"

#include "ui/controls/Theme.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace quom {

GUIslider::GUIslider(QWidget* parent)
    : QWidget(parent)
    , colors_{QColor(255, 255, 255), QColor(120, 120, 120), QColor(192, 192, 192), QColor(192, 192, 192),
          QColor(0, 0, 255), QColor(255, 0, 0), QColor(Qt::black), QColor(Qt::black),
          palette().color(QPalette::Button)}
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

GUIslider::Colors GUIslider::windowColors()
{
    return {QColor(255, 255, 255), QColor(120, 120, 120), QColor(192, 192, 192), QColor(192, 192, 192),
        QColor(255, 180, 105), QColor(255, 255, 255), QColor(Qt::black), QColor(Qt::black),
        theme::kBackground};
}

std::uint32_t GUIslider::setStyle(std::uint32_t flags)
{
    const std::uint32_t previous = style_;
    style_ = flags;
    update();
    return previous;
}

bool GUIslider::setRange(double minimum, double maximum, double value)
{
    if (!(minimum < maximum) || value < minimum || value > maximum)
        return false;
    minimum_ = minimum;
    maximum_ = maximum;
    value_ = value;
    update();
    valueChanged(value_);
    return true;
}

bool GUIslider::setSteps(double small, double large)
{
    if (!(small < large) || small == 0 || large == 0)
        return false;
    smallStep_ = small;
    largeStep_ = large;
    return true;
}

void GUIslider::setColors(const Colors& colors)
{
    colors_ = colors;
    update();
}

void GUIslider::setValue(double v)
{
    value_ = clamped(v);
    update();
    valueChanged(value_);
}

void GUIslider::valueChanged(double) { }

double GUIslider::clamped(double v) const
{
    return std::clamp(v, minimum_, maximum_);
}

double GUIslider::fraction() const
{
    return (value_ - minimum_) / (maximum_ - minimum_);
}

void GUIslider::layoutParts()
{
    const int top = (height() - trackHeight_) / 2;
    track_ = QRect(0, top, width(), trackHeight_);
    const int left = track_.left() + static_cast<int>((track_.width() - thumbWidth_) * fraction());
    thumb_ = QRect(left, 0, thumbWidth_, height());
}

void GUIslider::paintEvent(QPaintEvent*)
{
    layoutParts();
    // Drawn off-screen and copied in one step, so the thumb never flickers while dragged.
    QPixmap buffer(size());
    {
        QPainter p(&buffer);
        p.fillRect(rect(), colors_[Background]);
        p.fillRect(track_, colors_[Highlight]);
        p.fillRect(track_.adjusted(2, 2, -2, -2), colors_[Track]);

        if (style_ & kGradientFill) {
            const int n = static_cast<int>((track_.width() - thumbWidth_) * fraction());
            const QColor& a = colors_[GradientStart];
            const QColor& b = colors_[GradientEnd];
            const double w = track_.width();
            auto mix = [w](int from, int to, int i) { return static_cast<int>(from + (to - from) * i / w); };
            for (int i = 0; i < n; ++i) {
                p.setPen(QColor(
                    mix(a.red(), b.red(), i), mix(a.green(), b.green(), i), mix(a.blue(), b.blue(), i)));
                const int x = track_.left() + i + 1;
                // The line covers the track's rows top + 1 .. bottom - 2 (the bottom edge excluded).
                p.drawLine(x, track_.top() + 1, x, track_.top() + track_.height() - 2);
            }
        }

        p.fillRect(thumb_, colors_[Highlight]);
        p.fillRect(thumb_.adjusted(2, 2, -2, -2), colors_[Thumb]);
    }
    QPainter(this).drawPixmap(0, 0, buffer);
}

void GUIslider::moveTo(double v)
{
    const double next = clamped(v);
    if (next == value_)
        return;
    value_ = next;
    update();
    valueChanged(value_);
}

void GUIslider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (event->modifiers() & Qt::ShiftModifier)
        return;
    layoutParts();
    const QPoint pos = event->position().toPoint();
    if (thumb_.contains(pos)) {
        dragging_ = true;
    } else if (track_.contains(pos)) {
        const double span = track_.width();
        moveTo(minimum_ + (maximum_ - minimum_) * pos.x() / span);
    }
}

void GUIslider::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_)
        return;
    // The value follows the pointer's position, not the distance moved since the press.
    const double x = event->position().x();
    moveTo(minimum_ + (x - track_.left()) * (maximum_ - minimum_) / track_.width());
}

void GUIslider::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dragging_ = false;
}

namespace {

bool swallowed(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

} // namespace

std::optional<double> GUIslider::targetFor(int key, Qt::KeyboardModifiers modifiers) const
{
    const bool keypad = modifiers & Qt::KeypadModifier;
    switch (key) {
    case Qt::Key_PageUp:
        return value_ + largeStep_;
    case Qt::Key_PageDown:
        return value_ - largeStep_;
    case Qt::Key_Home:
        return maximum_;
    case Qt::Key_End:
        return minimum_;
    case Qt::Key_Right:
        return value_ + smallStep_;
    case Qt::Key_Left:
        return value_ - smallStep_;
    case Qt::Key_Plus:
        return keypad ? std::optional(value_ + smallStep_) : std::nullopt;
    case Qt::Key_Minus:
        return keypad ? std::optional(value_ - smallStep_) : std::nullopt;
    default:
        return std::nullopt;
    }
}

void GUIslider::keyPressEvent(QKeyEvent* event)
{
    if (swallowed(event->key()))
        return; // so that Enter and Escape never close the slider's window
    const auto target = targetFor(event->key(), event->modifiers());
    if (!target) {
        QWidget::keyPressEvent(event);
        return;
    }
    // The small steps are clamped too: a value outside the range would put the thumb
    // beyond the track and hand the window a value it never allowed.
    value_ = clamped(*target);
    update();
    valueChanged(value_);
}

bool GUIslider::event(QEvent* event)
{
    // The slider sees its keys before any window shortcut does.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (swallowed(key->key()) || targetFor(key->key(), key->modifiers())) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

} // namespace quom
