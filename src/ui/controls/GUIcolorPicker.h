#pragma once

#include <QString>

#include <cstdint>
#include <functional>

class QWidget;

namespace quom {

// What a caller fills to let the user choose a colour: the starting colour, the window
// title and an optional callback that sees every change while the window is open.
class GUIcolorPicker {
public:
    // Receives the colour packed red-green-blue-alpha from the most significant byte down.
    using ChangeCallback = std::function<void(std::uint32_t rgba)>;

    virtual ~GUIcolorPicker() = default;

    // A colour word: red in the low byte, green next, blue third.
    void setColor(std::uint32_t color) { color_ = color; }
    std::uint32_t color() const { return color_; }
    void setTitle(const QString& title) { title_ = title; }
    void setCallback(ChangeCallback callback) { callback_ = std::move(callback); }

    // Shows the picker modally. OK makes the chosen red, green and blue the colour (alpha is
    // not part of it); Cancel keeps it. Returns the colour.
    std::uint32_t run(QWidget* parent = nullptr);

private:
    std::uint32_t color_ = 0xFFFFFFFF;
    QString title_ = QStringLiteral("Choose the color");
    ChangeCallback callback_;
};

} // namespace quom
