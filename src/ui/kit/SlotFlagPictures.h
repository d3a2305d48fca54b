#pragma once

#include "core/kit/KitEdits.h"

#include <QPixmap>
#include <QSize>

#include <array>
#include <cstddef>

// The kit editor's loop and fade marks, drawn once from their vector pictures at the
// screen's pixel ratio: reading and drawing the pictures for every row made each repaint
// of the window slow.
namespace quom {

class SlotFlagPictures {
public:
    explicit SlotFlagPictures(QSize size) noexcept
        : size_(size)
    {
    }

    const QPixmap& picture(SlotFlag flag, bool on, qreal pixelRatio);

private:
    static std::size_t index(SlotFlag flag, bool on) noexcept
    {
        return (flag == SlotFlag::Fade ? 2 : 0) + (on ? 1 : 0);
    }

    QSize size_;
    qreal pixelRatio_ = 0;
    std::array<QPixmap, 4> pictures_; // loop off, loop on, fade off, fade on
};

} // namespace quom
