#pragma once

#include "ui/controls/ButtonPictures.h"
#include "ui/controls/HelpTextButton.h"

namespace quom {

// A two-state picture button (the main window's grid switch). A press flips the state
// before the click, so the owner reads the new state when the command arrives.
class CBrushButton : public HelpTextButton {
    Q_OBJECT
public:
    explicit CBrushButton(int commandId, QWidget* parent = nullptr);

    // Takes the size of the off picture.
    void setUp(QPoint position, const QPixmap& off, const QPixmap& on, const QString& helpText);
    // The off and on pictures are the normal and pressed pictures of the pair.
    void setUp(QPoint position, const PicturePair& pictures, const QString& helpText);

    bool state() const { return state_; }
    void setState(bool on);

    QSize sizeHint() const override { return off_.size(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap off_;
    QPixmap on_;
    bool state_ = false;
};

} // namespace quom
