#pragma once

#include "core/generators/RandomPattern.h"

#include <QDialog>

class QComboBox;
class QLabel;

// The "Random" window: how to fill the pattern with random cells. It edits the
// settings the main window keeps, and only when the user presses Ok; closing it any
// other way leaves them as they were. The painting itself is the main window's.
namespace quom {

class GUIcolorButton;
class RandomSlider;

class RandomDlg : public QDialog {
    Q_OBJECT

public:
    explicit RandomDlg(RandomSettings& settings, QWidget* parent = nullptr);

    void accept() override;

private:
    void showColorMode(int index);

    RandomSettings& settings_;
    QComboBox* operation_ = nullptr;
    QComboBox* colorMode_ = nullptr;
    GUIcolorButton* color1_ = nullptr;
    GUIcolorButton* color2_ = nullptr;
    QLabel* variationText_ = nullptr;
    QLabel* densityText_ = nullptr;
};

} // namespace quom
