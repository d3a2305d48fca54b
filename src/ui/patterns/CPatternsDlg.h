#pragma once

#include <QDialog>
#include <QImage>

#include <array>

// "Patterns...": the 16 patterns of the project as thumbnails, 4 by 4, to pick one with
// the mouse or the arrow keys. A click anywhere or Enter chooses the highlighted pattern;
// Esc or the close box chooses none. The highlight starts on pattern 1, not on the
// current one.
namespace quom {

class PatternModel;

class CPatternsDlg : public QDialog {
    Q_OBJECT

public:
    // Thumbnails of the bank as it is now: the caller stores the current pattern first.
    explicit CPatternsDlg(const PatternModel& patterns, QWidget* parent = nullptr);

    int highlighted() const noexcept { return highlighted_; }

    // The top-left corner of pattern n's 128-pixel thumbnail.
    static QPoint thumbnailOrigin(int n);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void highlight(int n);

    std::array<QImage, 16> thumbnails_;
    int highlighted_ = 0;
};

} // namespace quom
