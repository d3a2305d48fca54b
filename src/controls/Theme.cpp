#include "controls/Theme.h"

#include <QFont>
#include <QPalette>
#include <QWidget>

namespace quom::theme {

void apply(QWidget* window)
{
    QPalette p = window->palette();
    p.setColor(QPalette::Window, kBackground);
    p.setColor(QPalette::WindowText, kStaticText);
    window->setPalette(p);
    window->setAutoFillBackground(true);

    QFont font(QStringLiteral("Arial"));
    font.setPointSize(7);
    window->setFont(font);
}

} // namespace quom::theme
