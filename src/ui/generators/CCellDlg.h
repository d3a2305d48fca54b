#pragma once

#include "core/model/Cell.h"
#include "core/project/PatternLoan.h"

#include <QDialog>
#include <QRect>

// "Cell Color": sets one cell's red, green and blue exactly. Two swatches show the colour
// the cell had and the one being made; pressing either plays the row's sample with that
// colour, to compare the two sounds. There is no Ok: however the window closes, the cell
// takes the colour being made (the caller stores it).
namespace quom {

class Transport;

class CCellDlg : public QDialog {
    Q_OBJECT

public:
    // The pattern is lent to the window while it is open.
    CCellDlg(Project& project, Transport& transport, int row, Cell color, QWidget* parent = nullptr);
    // Stops the preview a swatch started.
    ~CCellDlg() override;

    Cell newColor() const noexcept { return newColor_; }

    static const QRect kOldSwatch;
    static const QRect kNewSwatch;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showCursor(QPoint at);

    const PatternLoan loan_;
    Transport& transport_;
    const int row_;
    const Cell oldColor_;
    Cell newColor_;
    bool pressed_ = false;
};

} // namespace quom
