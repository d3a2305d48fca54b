#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// Where things are in the kit editor, in client pixels: 64 rows of the main grid's row
// height from (20, 10), each with its name, loop, fade, length and key columns, the
// buttons below them and the status line under the buttons.
namespace quom {

enum class SlotZone { Name, Loop, Fade, None };

struct SlotHit {
    int slot;
    SlotZone zone;
};

class KitEditorLayout {
public:
    // cell: the main grid's cell size, whose height is a row's.
    explicit KitEditorLayout(QSize cell) noexcept;

    static constexpr int kLeft = 20;
    static constexpr int kTop = 10;
    static constexpr int kWindowWidth = 400;
    static constexpr int kLoopX = 200;
    static constexpr int kFadeX = 230;
    static constexpr int kLengthX = 270;
    static constexpr int kKeyX = 330;
    // Pointers at or right of this select nothing.
    static constexpr int kSelectableRight = 250;

    int rowHeight() const noexcept { return cell_.height(); }
    // The slot area: right and bottom one past the last pixel, as 64 cells wide.
    QRect slotArea() const noexcept;
    QRect statusArea() const noexcept;
    QSize windowSize() const noexcept { return {kWindowWidth, slotArea().bottom() + 1 + 90}; }
    int rowTop(int slot) const noexcept { return kTop + slot * rowHeight(); }
    int buttonsTop() const noexcept { return slotArea().bottom() + 1 + 10; }
    QPoint statusOrigin() const noexcept { return {kLeft, slotArea().bottom() + 1 + 50}; }

    // The slot a point selects (inside the slot area, left of 250), and its zone.
    std::optional<SlotHit> hit(QPoint p) const noexcept;

private:
    QSize cell_;
};

} // namespace quom
