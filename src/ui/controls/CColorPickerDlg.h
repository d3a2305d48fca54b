#pragma once

#include "core/color/HsbColor.h"
#include "ui/controls/FavoriteColors.h"
#include "ui/controls/GUIcolorPicker.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QLabel;
class QSlider;

namespace quom {

class ColorWheelPanel;
class PickerSpinBox;
class ColorPatch;

// The colour picker window: the wheel and brightness bar, the RGB and HSB fields with their
// arrows, the old and new colour, and the alpha slider with its field. Every change goes to
// the caller's callback. The favourite colours are read from the settings store when the
// window is made and written back when it goes, whatever the user chose.
class CColorPickerDlg : public QDialog {
    Q_OBJECT
public:
    // The only flag: show the alpha controls.
    static constexpr int kShowAlpha = 2;

    // color: a colour word, red in the low byte.
    explicit CColorPickerDlg(std::uint32_t color, QWidget* parent = nullptr);
    ~CColorPickerDlg() override;

    void setFlags(int flags);
    void setCallback(GUIcolorPicker::ChangeCallback callback) { callback_ = std::move(callback); }

    Rgb rgb() const { return rgb_; }
    Hsb hsb() const { return hsb_; }
    Rgb oldRgb() const { return old_; }
    int alpha() const { return alpha_; }
    // Red in the top byte, alpha in the low one.
    std::uint32_t packedRgba() const;
    const FavoriteColorList& favorites() const { return favorites_; }

    ColorWheelPanel* wheelPanel() const { return panel_; }
    // The fields in the order red, green, blue, hue, saturation, brightness, alpha.
    enum Field { Red, Green, Blue, Hue, Saturation, Brightness, Alpha };
    PickerSpinBox* field(Field f) const { return fields_[f]; }
    QSlider* alphaSlider() const { return alphaSlider_; }

private:
    void build();
    void fieldEdited(Field f, int value);
    void alphaMoved(int value);
    void wheelPicked(int hue, int saturation);
    void barPicked(int brightness);
    // Shows the current colour everywhere and tells the callback.
    void refresh();
    void notify();

    Rgb rgb_;
    Hsb hsb_;
    Rgb old_;
    int alpha_ = 255;
    int flags_ = 0;
    FavoriteColorList favorites_;
    GUIcolorPicker::ChangeCallback callback_;
    bool initialised_ = false;
    bool refreshing_ = false;

    ColorWheelPanel* panel_ = nullptr;
    std::array<PickerSpinBox*, 7> fields_{};
    QSlider* alphaSlider_ = nullptr;
    QLabel* alphaLabel_ = nullptr;
    ColorPatch* oldPatch_ = nullptr;
    ColorPatch* newPatch_ = nullptr;
};

} // namespace quom
