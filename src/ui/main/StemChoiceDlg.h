#pragma once

#include <QDialog>

#include <cstdint>

class QRadioButton;

// What Export stems asks before it writes: a file per row or per block of 16 rows, and
// 32-bit float files or 16-bit ones sharing the mix's gain. It starts from the choices
// given (the settings' values) and hands them back once accepted. Window thread.
namespace quom {

struct StemChoices {
    std::uint8_t files = 0; // as Settings::stemFiles
    std::uint8_t format = 1; // as Settings::stemFormat
};

class StemChoiceDlg final : public QDialog {
    Q_OBJECT

public:
    StemChoiceDlg(const StemChoices& start, QWidget* parent);

    StemChoices choices() const;
    QRadioButton& perBlockButton() noexcept { return *perBlock_; }
    QRadioButton& floatButton() noexcept { return *float_; }

private:
    QRadioButton* perBlock_ = nullptr;
    QRadioButton* float_ = nullptr;
};

} // namespace quom
