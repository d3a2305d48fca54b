#include "ui/controls/CColorPickerDlg.h"

#include "core/model/Cell.h"
#include "ui/controls/ColorWheelPanel.h"
#include "ui/controls/PickerSpinBox.h"
#include "ui/controls/Theme.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

namespace quom {

// A swatch with a sunken frame.
class ColorPatch : public QFrame {
public:
    explicit ColorPatch(QWidget* parent)
        : QFrame(parent)
    {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(2);
    }
    void setColor(const Rgb& c)
    {
        color_ = QColor(c.red, c.green, c.blue);
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter(this).fillRect(contentsRect(), color_);
        QFrame::paintEvent(event);
    }

private:
    QColor color_;
};

namespace {

QLabel* label(const QString& text, QWidget* parent, int x, int y, int w)
{
    auto* l = new QLabel(text, parent);
    theme::place(l, x, y, w, 8);
    return l;
}

QGroupBox* group(const QString& title, QWidget* parent, int x, int y, int w, int h)
{
    auto* g = new QGroupBox(title, parent);
    theme::place(g, x, y, w, h);
    return g;
}

} // namespace

CColorPickerDlg::CColorPickerDlg(std::uint32_t color, QWidget* parent)
    : QDialog(parent)
    , rgb_{redOf(color), greenOf(color), blueOf(color)}
    , hsb_(hsbFromRgb(rgb_))
    , old_(rgb_)
    , favorites_(readFavoriteColors())
{
    setWindowTitle(QStringLiteral("Choose the color"));
    theme::apply(this);
    build();
    refresh();
    initialised_ = true;
}

CColorPickerDlg::~CColorPickerDlg()
{
    writeFavoriteColors(favorites_);
}

void CColorPickerDlg::build()
{
    setFixedSize(theme::dluX(353), theme::dluY(222));

    panel_ = new ColorWheelPanel(this);
    theme::place(panel_, 7, 7, 192, 170);
    connect(panel_, &ColorWheelPanel::wheelPicked, this, &CColorPickerDlg::wheelPicked);
    connect(panel_, &ColorWheelPanel::barPicked, this, &CColorPickerDlg::barPicked);

    struct FieldPlace {
        Field field;
        const char* caption;
        int x, y, labelWidth, fieldWidth, arrowMaximum;
    };
    group(QStringLiteral("RGB values"), this, 206, 7, 68, 60);
    group(QStringLiteral("HSB values"), this, 279, 7, 67, 60);
    const FieldPlace places[] = {
        {Red, "Red:", 211, 19, 24, 32, 255},
        {Green, "Green:", 211, 33, 24, 32, 255},
        {Blue, "Blue:", 211, 47, 24, 32, 255},
        {Hue, "Hue:", 283, 19, 33, 28, 360},
        {Saturation, "Saturation:", 283, 33, 33, 28, 255},
        {Brightness, "Brightness:", 283, 47, 33, 28, 255},
    };
    for (const FieldPlace& f : places) {
        label(QString::fromLatin1(f.caption), this, f.x, f.y + 2, f.labelWidth);
        auto* spin = new PickerSpinBox(0, f.arrowMaximum, this);
        theme::place(spin, f.x + f.labelWidth, f.y, f.fieldWidth, 12);
        fields_[f.field] = spin;
        connect(
            spin, &QSpinBox::valueChanged, this, [this, field = f.field](int v) { fieldEdited(field, v); });
    }

    label(QStringLiteral("Old Color"), this, 206, 74, 68);
    oldPatch_ = new ColorPatch(this);
    theme::place(oldPatch_, 206, 84, 68, 34);
    oldPatch_->setColor(old_);
    label(QStringLiteral("New Color"), this, 279, 74, 67);
    newPatch_ = new ColorPatch(this);
    theme::place(newPatch_, 279, 84, 67, 34);

    alphaLabel_ = label(QStringLiteral("Alpha channel"), this, 206, 128, 140);
    alphaSlider_ = new QSlider(Qt::Horizontal, this);
    alphaSlider_->setRange(0, 255);
    alphaSlider_->setPageStep(16);
    theme::place(alphaSlider_, 206, 139, 105, 14);
    connect(alphaSlider_, &QSlider::valueChanged, this, &CColorPickerDlg::alphaMoved);
    auto* alphaField = new PickerSpinBox(0, 255, this);
    theme::place(alphaField, 314, 140, 32, 12);
    fields_[Alpha] = alphaField;
    connect(alphaField, &QSpinBox::valueChanged, this, [this](int v) { fieldEdited(Alpha, v); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    theme::place(buttons, 206, 201, 140, 14);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setFlags(flags_);
}

void CColorPickerDlg::setFlags(int flags)
{
    flags_ = flags;
    const bool alphaShown = flags_ & kShowAlpha;
    for (QWidget* w : {static_cast<QWidget*>(alphaSlider_), static_cast<QWidget*>(fields_[Alpha]),
             static_cast<QWidget*>(alphaLabel_)})
        w->setVisible(alphaShown);
}

std::uint32_t CColorPickerDlg::packedRgba() const
{
    return (static_cast<std::uint32_t>(rgb_.red) << 24) | (static_cast<std::uint32_t>(rgb_.green) << 16)
        | (static_cast<std::uint32_t>(rgb_.blue) << 8) | static_cast<std::uint32_t>(alpha_);
}

void CColorPickerDlg::fieldEdited(Field f, int value)
{
    if (!initialised_ || refreshing_)
        return;
    if (f == Alpha) {
        // Clamped like the other fields: the packed colour holds one byte of alpha.
        alpha_ = std::clamp(value, 0, 255);
        refresh();
        return;
    }
    int* components[] = {&rgb_.red, &rgb_.green, &rgb_.blue, &hsb_.hue, &hsb_.saturation, &hsb_.brightness};
    int& slot = *components[f];
    if (value == slot)
        return;
    slot = std::clamp(value, 0, f == Hue ? 359 : 255);
    if (f <= Blue)
        hsb_ = hsbFromRgb(rgb_);
    else
        rgb_ = rgbFromHsb(hsb_);
    refresh();
}

void CColorPickerDlg::alphaMoved(int value)
{
    if (!initialised_ || refreshing_)
        return;
    alpha_ = value;
    refresh();
}

void CColorPickerDlg::wheelPicked(int hue, int saturation)
{
    hsb_.hue = hue;
    hsb_.saturation = saturation;
    rgb_ = rgbFromHsb(hsb_);
    refresh();
}

void CColorPickerDlg::barPicked(int brightness)
{
    hsb_.brightness = brightness;
    rgb_ = rgbFromHsb(hsb_);
    refresh();
}

void CColorPickerDlg::refresh()
{
    const bool nested = refreshing_;
    refreshing_ = true;
    panel_->setHsb(hsb_);
    newPatch_->setColor(rgb_);
    const int values[]
        = {rgb_.red, rgb_.green, rgb_.blue, hsb_.hue, hsb_.saturation, hsb_.brightness, alpha_};
    for (int i = 0; i < 7; ++i)
        fields_[static_cast<std::size_t>(i)]->setValue(values[i]);
    alphaSlider_->setValue(alpha_);
    refreshing_ = nested;
    if (initialised_)
        notify();
}

void CColorPickerDlg::notify()
{
    if (callback_)
        callback_(packedRgba());
}

} // namespace quom
