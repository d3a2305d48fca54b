#include "ui/controls/HelpTextButton.h"

#include "ui/controls/StatusLineOwner.h"

#include <QMouseEvent>

namespace quom {

HelpTextButton::HelpTextButton(int commandId, QWidget* parent)
    : QAbstractButton(parent)
    , commandId_(commandId)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::clicked, this, [this] { emit command(commandId_); });
}

void HelpTextButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!helpText_.isEmpty())
        showInStatusLine(this, helpText_);
    QAbstractButton::mouseMoveEvent(event);
}

bool HelpTextButton::releaseCancelsClick(const QMouseEvent& event) const
{
    return event.button() == Qt::LeftButton && (!isDown() || !hitButton(event.position().toPoint()));
}

} // namespace quom
