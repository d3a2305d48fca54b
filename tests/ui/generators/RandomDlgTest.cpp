#include "ui/generators/RandomDlg.h"
#include "support/QtPrinters.h"
#include "ui/controls/GUIcolorButton.h"
#include "ui/controls/GUIslider.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace quom;

namespace {

class RandomWindow : public ::testing::Test {
protected:
    template <typename T> T* control(RandomDlg& dialog, const char* name)
    {
        return dialog.findChild<T*>(QString::fromUtf8(name));
    }
    // Whether Color2 would show with the window.
    bool secondColorShown(RandomDlg& dialog)
    {
        return !control<GUIcolorButton>(dialog, "Color2")->isHidden();
    }

    RandomSettings settings;
};

TEST_F(RandomWindow, OpensWithTheSettingsAndShowsColor2OnlyForGradients)
{
    settings.density = 25;
    settings.variation = 7;
    RandomDlg dialog(settings);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Random"));
    EXPECT_EQ(control<QComboBox>(dialog, "operation")->currentText(), QStringLiteral("replace"));
    EXPECT_EQ(control<QComboBox>(dialog, "color mode")->currentText(), QStringLiteral("gradient"));
    EXPECT_EQ(control<QLabel>(dialog, "density value")->text(), QStringLiteral("25 %"));
    EXPECT_EQ(control<QLabel>(dialog, "color variation value")->text(), QStringLiteral("7 %"));
    EXPECT_EQ(control<GUIcolorButton>(dialog, "Color2")->color(), makeCell(255, 0, 0));
    EXPECT_TRUE(secondColorShown(dialog));

    control<QComboBox>(dialog, "color mode")->setCurrentIndex(0);
    EXPECT_FALSE(secondColorShown(dialog));
    control<QComboBox>(dialog, "color mode")->setCurrentIndex(1);
    EXPECT_TRUE(secondColorShown(dialog));

    settings.colorMode = RandomColorMode::Single;
    settings.operation = RandomOperation::Add;
    RandomDlg single(settings);
    EXPECT_FALSE(secondColorShown(single));
    EXPECT_EQ(control<QComboBox>(single, "operation")->currentText(), QStringLiteral("add"));
}

TEST_F(RandomWindow, OkKeepsTheChoicesAndAnyOtherCloseForgetsThem)
{
    const RandomSettings before = settings;
    auto edit = [](RandomDlg& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("operation"))->setCurrentIndex(1);
        dialog.findChild<QComboBox*>(QStringLiteral("color mode"))->setCurrentIndex(0);
        dialog.findChild<GUIcolorButton*>(QStringLiteral("Color1"))->setColor(makeCell(1, 2, 3));
        dialog.findChild<GUIslider*>(QStringLiteral("density"))->setValue(100);
        dialog.findChild<GUIslider*>(QStringLiteral("color variation"))->setValue(33.7);
    };
    {
        RandomDlg dialog(settings);
        dialog.show();
        edit(dialog);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    {
        RandomDlg dialog(settings);
        edit(dialog);
        dialog.close();
    }
    EXPECT_EQ(settings, before);
    {
        RandomDlg dialog(settings);
        dialog.show();
        auto* density = dialog.findChild<GUIslider*>(QStringLiteral("density"));
        density->setFocus();
        QTest::keyClick(density, Qt::Key_End);
        QTest::keyClick(density, Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << "Enter from a focused slider is Ok";
        EXPECT_EQ(settings.density, 0);
    }
    settings = before;

    RandomDlg dialog(settings);
    dialog.show();
    edit(dialog);
    QTest::mouseClick(dialog.findChild<QPushButton*>(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.operation, RandomOperation::Add);
    EXPECT_EQ(settings.colorMode, RandomColorMode::Single);
    EXPECT_EQ(settings.color1, makeCell(1, 2, 3));
    EXPECT_EQ(settings.color2, before.color2);
    EXPECT_EQ(settings.density, 100);
    EXPECT_EQ(settings.variation, 33);
}

} // namespace
