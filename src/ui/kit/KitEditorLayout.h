#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// Where things are in the kit editor, in client pixels: the columns' headings, under
// them the 64 slots from (20, 24), one row each with its name, loop, fade, length and
// key, the buttons below them and the status line under the buttons. Where 64 rows
// would be too short to read, the slots stand in two columns of 32 side by side.
namespace quom {

enum class SlotZone { Name, Loop, Fade, None };

struct SlotHit {
    int slot;
    SlotZone zone;
};

class KitEditorLayout {
public:
    // columns: 1, or 2 of 32 slots each.
    KitEditorLayout(int rowHeight, int columns) noexcept;

    // For a screen whose available area is room: one column of rows as tall as the
    // main grid's usual cells (11 pixels on screens wider than 1064, else 10) where the
    // window fits, else of the tallest rows that fit down to kSmallestRow; shorter than
    // that, two columns where they fit side by side.
    static KitEditorLayout forScreen(QSize room) noexcept;
    static constexpr int kSmallestRow = 9;

    static constexpr int kLeft = 20;
    static constexpr int kHeadingTop = 8;
    static constexpr int kTop = 24;
    // Places within the first column; the second lies kColumnWidth further right.
    static constexpr int kColumnWidth = 380;
    static constexpr int kLoopX = 200;
    static constexpr int kFadeX = 230;
    static constexpr int kLengthX = 270;
    static constexpr int kKeyX = 330;
    // Pointers at or right of this select nothing.
    static constexpr int kSelectableRight = 250;

    int rowHeight() const noexcept { return rowHeight_; }
    int columns() const noexcept { return columns_; }
    // The slot area: right and bottom one past the last pixel.
    QRect slotArea() const noexcept;
    QRect statusArea() const noexcept;
    // The headings took their height from the status line's space, so a column's
    // window is as tall as its rows and 100 pixels.
    QSize windowSize() const noexcept;
    // How far right of the first column a slot's column lies.
    int columnShift(int slot) const noexcept;
    int rowTop(int slot) const noexcept;
    int buttonsTop() const noexcept { return slotArea().bottom() + 1 + 10; }
    QPoint statusOrigin() const noexcept { return {kLeft, slotArea().bottom() + 1 + 50}; }

    // The slot a point selects (inside the slot area, left of its column's 250), and
    // its zone.
    std::optional<SlotHit> hit(QPoint p) const noexcept;

private:
    int slotsPerColumn() const noexcept;

    int rowHeight_;
    int columns_;
};

} // namespace quom
