#include "ui/controls/Theme.h"

#include <QFont>
#include <QPalette>
#include <QWidget>

#include <cmath>

namespace quom::theme {

void apply(QWidget* window)
{
    applyColors(window);
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(7);
    window->setFont(font);
}

void applyColors(QWidget* window)
{
    QPalette p = window->palette();
    p.setColor(QPalette::Window, kBackground);
    p.setColor(QPalette::WindowText, kStaticText);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    window->setPalette(p);
    window->setAutoFillBackground(true);
}

int dluX(int units)
{
    return static_cast<int>(std::lround(units * 1.5));
}

int dluY(int units)
{
    return static_cast<int>(std::lround(units * 1.625));
}

QRect dluRect(int x, int y, int width, int height)
{
    const int left = dluX(x);
    const int top = dluY(y);
    return {left, top, dluX(x + width) - left, dluY(y + height) - top};
}

void place(QWidget* child, int x, int y, int width, int height)
{
    child->setGeometry(dluRect(x, y, width, height));
}

} // namespace quom::theme
