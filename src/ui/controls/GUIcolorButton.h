#pragma once

#include <QAbstractButton>

#include <cstdint>

namespace quom {

class ColorDropTarget;

// A colour swatch. A click opens the colour picker on its colour; Ctrl+press drags the
// colour to another swatch instead. After the picker (OK or Cancel alike) and after a
// colour dropped on it, the swatch runs colorChanged(), which a window's swatch overrides.
class GUIcolorButton : public QAbstractButton {
public:
    explicit GUIcolorButton(QWidget* parent = nullptr);

    // A colour word: red in the low byte, green next, blue third; the top byte is dropped.
    void setColor(std::uint32_t color);
    std::uint32_t color() const { return color_; }

    // From now on colours dropped on the swatch become its colour.
    void registerDropTarget();

    virtual void colorChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void pickColor();
    void startDrag();

    std::uint32_t color_ = 0x0000FF;
    ColorDropTarget* dropTarget_ = nullptr;
};

} // namespace quom
