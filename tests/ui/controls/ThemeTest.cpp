#include "ui/controls/Theme.h"
#include "support/QtPrinters.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

namespace theme = quom::theme;

TEST(Theme, DialogUnitsKeepNeighboursTouching)
{
    EXPECT_EQ(theme::dluX(0), 0);
    EXPECT_EQ(theme::dluX(353), 530);
    EXPECT_EQ(theme::dluY(222), 361);
    // Edges are converted, so a control ending where the next begins still does.
    const QRect a = theme::dluRect(7, 7, 192, 170);
    const QRect b = theme::dluRect(199, 177, 10, 10);
    EXPECT_EQ(a, QRect(11, 11, 288, 277));
    EXPECT_EQ(a.right() + 1, b.left());
    EXPECT_EQ(a.bottom() + 1, b.top());
}

TEST(Theme, ChildrenInheritTheDarkLookAndEditFieldsStayLegible)
{
    QWidget window;
    auto* label = new QLabel(QStringLiteral("Tempo"), &window);
    auto* field = new QLineEdit(&window);
    theme::apply(&window);
    EXPECT_TRUE(window.autoFillBackground());
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(34, 34, 34));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(192, 192, 192));
    EXPECT_EQ(field->palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_EQ(field->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(label->font().pointSize(), 7);
}

} // namespace
