#include "ui/controls/GUIcolorButton.h"

#include "ui/controls/ColorDropTarget.h"
#include "ui/controls/ColorWord.h"
#include "ui/controls/GUIcolorPicker.h"

#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace quom {

GUIcolorButton::GUIcolorButton(QWidget* parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::clicked, this, &GUIcolorButton::pickColor);
}

void GUIcolorButton::setColor(std::uint32_t color)
{
    color_ = color & 0xFFFFFF;
    update();
}

void GUIcolorButton::registerDropTarget()
{
    if (!dropTarget_)
        dropTarget_ = new ColorDropTarget(this);
}

void GUIcolorButton::colorChanged() { }

void GUIcolorButton::pickColor()
{
    GUIcolorPicker picker;
    picker.setColor(color_);
    setColor(picker.run(this));
    colorChanged();
}

void GUIcolorButton::paintEvent(QPaintEvent*)
{
    QPixmap buffer(size());
    {
        QPainter p(&buffer);
        p.fillRect(rect(), palette().color(QPalette::Button));
        p.fillRect(rect().adjusted(2, 2, -2, -2), toQColor(color_));
    }
    QPainter(this).drawPixmap(0, 0, buffer);
}

void GUIcolorButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier)) {
        startDrag();
        return;
    }
    QAbstractButton::mousePressEvent(event);
}

void GUIcolorButton::startDrag()
{
    auto* drag = new QDrag(this);
    drag->setMimeData(makeColorMimeData(color_).release());
    QPixmap chip(16, 16);
    chip.fill(toQColor(color_));
    drag->setPixmap(chip);
    drag->exec(Qt::CopyAction | Qt::MoveAction);
}

} // namespace quom
