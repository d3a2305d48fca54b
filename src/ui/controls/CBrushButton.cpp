#include "ui/controls/CBrushButton.h"

#include <QMouseEvent>
#include <QPainter>

namespace quom {

CBrushButton::CBrushButton(int commandId, QWidget* parent)
    : HelpTextButton(commandId, parent)
{
}

void CBrushButton::setUp(QPoint position, const QPixmap& off, const QPixmap& on, const QString& helpText)
{
    off_ = off;
    on_ = on;
    setHelpText(helpText);
    setGeometry(QRect(position, off.size()));
    update();
}

void CBrushButton::setUp(QPoint position, const PicturePair& pictures, const QString& helpText)
{
    setUp(position, pictures.normal, pictures.pressed, helpText);
}

void CBrushButton::setState(bool on)
{
    if (on == state_)
        return;
    state_ = on;
    update();
}

void CBrushButton::paintEvent(QPaintEvent*)
{
    QPainter(this).drawPixmap(0, 0, state_ ? on_ : off_);
}

void CBrushButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        setState(!state_);
    HelpTextButton::mousePressEvent(event);
}

void CBrushButton::mouseReleaseEvent(QMouseEvent* event)
{
    // A press dragged off sends no command: the flip is taken back.
    const bool cancelled = releaseCancelsClick(*event);
    HelpTextButton::mouseReleaseEvent(event);
    if (cancelled)
        setState(!state_);
}

} // namespace quom
