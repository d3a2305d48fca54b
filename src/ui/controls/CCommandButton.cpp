#include "ui/controls/CCommandButton.h"

#include <QMouseEvent>
#include <QPainter>

namespace quom {

CCommandButton::CCommandButton(int commandId, QWidget* parent)
    : HelpTextButton(commandId, parent)
{
    resize(kSize);
}

void CCommandButton::setUp(QPoint position, const PicturePair& pictures, const QString& helpText, Kind kind)
{
    setGeometry(QRect(position, kSize));
    pictures_ = pictures;
    setHelpText(helpText);
    kind_ = kind;
    update();
}

void CCommandButton::setState(bool on)
{
    if (on == state_)
        return;
    state_ = on;
    update();
}

void CCommandButton::paintEvent(QPaintEvent*)
{
    const bool pressed = isDown() || (state_ && kind_ != Push);
    QPainter(this).drawPixmap(0, 0, pressed ? pictures_.pressed : pictures_.normal);
}

void CCommandButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        HelpTextButton::mousePressEvent(event);
        return;
    }
    stateBeforePress_ = state_;
    setState(true);
    if (kind_ == Tool) {
        // A tool takes effect at once; the release that follows must not send it twice.
        emit command(commandId());
        return;
    }
    HelpTextButton::mousePressEvent(event);
}

void CCommandButton::mouseReleaseEvent(QMouseEvent* event)
{
    // The tool's press was the whole click; its release must not reach the window below.
    if (kind_ == Tool && event->button() == Qt::LeftButton)
        return;
    // A press dragged off sends no command, so no owner would put the state back.
    const bool cancelled = releaseCancelsClick(*event);
    HelpTextButton::mouseReleaseEvent(event);
    if (cancelled)
        setState(stateBeforePress_);
}

CCommandButton* findCommandButton(const QWidget& parent, int commandId)
{
    for (auto* button : parent.findChildren<CCommandButton*>()) {
        if (button->commandId() == commandId)
            return button;
    }
    return nullptr;
}

} // namespace quom
