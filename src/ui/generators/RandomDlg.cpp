#include "ui/generators/RandomDlg.h"

#include "ui/controls/GUIcolorButton.h"
#include "ui/controls/Theme.h"
#include "ui/controls/ToolWindowRows.h"
#include "ui/controls/WindowKeys.h"
#include "ui/generators/GeneratorSliders.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace quom {

namespace {

// The value a slider's text shows: its leading digits ("25 %" is 25).
int leadingNumber(const QString& text)
{
    int value = 0;
    for (const QChar c : text) {
        if (!c.isDigit())
            break;
        value = value * 10 + c.digitValue();
    }
    return value;
}

QComboBox* list(QDialog* dialog, const char* name, const QStringList& items, int current, int y)
{
    auto* box = new QComboBox(dialog);
    box->setObjectName(QString::fromUtf8(name));
    box->addItems(items);
    box->setCurrentIndex(current);
    theme::place(box, 62, y, 70, 13);
    return box;
}

GUIcolorButton* swatch(QDialog* dialog, const char* name, Cell color, int x)
{
    auto* button = new GUIcolorButton(dialog);
    button->setObjectName(QString::fromUtf8(name));
    button->setColor(color);
    button->registerDropTarget();
    theme::place(button, x, 25, 22, 13);
    return button;
}

// One slider row: caption, slider and the text that shows the value.
QLabel* sliderRow(QDialog* dialog, const char* name, const QString& caption, int value, int y)
{
    auto* slider = addSliderRow<RandomSlider>(dialog, name, caption, y, {7, 52, 62, 100, 166, 28});
    slider->setUp(0, 100, value);
    return &slider->valueText();
}

} // namespace

RandomDlg::RandomDlg(RandomSettings& settings, QWidget* parent)
    : QDialog(parent)
    , settings_(settings)
{
    new WindowKeys(*this);
    setWindowTitle(QStringLiteral("Random"));
    theme::apply(this);
    setFixedSize(theme::dluRect(0, 0, 198, 126).size());

    addStaticText(this, QStringLiteral("Operation"), 7, 9, 52);
    operation_ = list(this, "operation", {QStringLiteral("replace"), QStringLiteral("add")},
        settings.operation == RandomOperation::Add ? 1 : 0, 7);
    addStaticText(this, QStringLiteral("Color mode"), 7, 27, 52);
    const int mode = settings.colorMode == RandomColorMode::Gradient ? 1 : 0;
    colorMode_
        = list(this, "color mode", {QStringLiteral("single color"), QStringLiteral("gradient")}, mode, 25);
    color1_ = swatch(this, "Color1", settings.color1, 140);
    color2_ = swatch(this, "Color2", settings.color2, 166);
    showColorMode(mode);
    connect(colorMode_, &QComboBox::currentIndexChanged, this, &RandomDlg::showColorMode);

    variationText_
        = sliderRow(this, "color variation", QStringLiteral("Color Variation"), settings.variation, 50);
    densityText_ = sliderRow(this, "density", QStringLiteral("Density"), settings.density, 70);

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setDefault(true);
    theme::place(ok, 74, 102, 50, 14);
    connect(ok, &QPushButton::clicked, this, &RandomDlg::accept);
}

void RandomDlg::showColorMode(int index)
{
    color2_->setVisible(index == 1);
}

void RandomDlg::accept()
{
    settings_.color1 = color1_->color();
    settings_.color2 = color2_->color();
    settings_.operation = operation_->currentIndex() == 1 ? RandomOperation::Add : RandomOperation::Replace;
    settings_.colorMode
        = colorMode_->currentIndex() == 1 ? RandomColorMode::Gradient : RandomColorMode::Single;
    settings_.density = leadingNumber(densityText_->text());
    settings_.variation = leadingNumber(variationText_->text());
    QDialog::accept();
}

} // namespace quom
