#include "ui/controls/WindowKeys.h"

#include "ui/controls/GUIslider.h"

#include <QChildEvent>
#include <QDialog>
#include <QKeyEvent>

namespace quom {

WindowKeys::WindowKeys(QDialog& window)
    : QObject(&window)
    , window_(window)
{
    window.installEventFilter(this);
}

bool WindowKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ChildAdded && watched == &window_) {
        // Not a slider yet: a child is announced while its base class is being made.
        static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
        return false;
    }
    if (event->type() != QEvent::KeyPress || (watched != &window_ && !dynamic_cast<GUIslider*>(watched)))
        return false;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Escape:
        window_.reject();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        window_.accept();
        return true;
    default:
        return false;
    }
}

} // namespace quom
