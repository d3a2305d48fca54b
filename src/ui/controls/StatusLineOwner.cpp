#include "ui/controls/StatusLineOwner.h"

#include <QString>
#include <QWidget>

namespace quom {

void showInStatusLine(QWidget* widget, const QString& text)
{
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* owner = dynamic_cast<StatusLineOwner*>(w)) {
            owner->showStatusText(text);
            return;
        }
    }
}

} // namespace quom
