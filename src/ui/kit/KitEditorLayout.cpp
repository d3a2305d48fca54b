#include "ui/kit/KitEditorLayout.h"

#include "core/kit/Kit.h"
#include "ui/controls/WindowFrame.h"

#include <algorithm>

namespace quom {

namespace {

// The headings above the rows, the buttons and the status line below them.
constexpr int kAroundRows = 100;

} // namespace

KitEditorLayout::KitEditorLayout(int rowHeight, int columns) noexcept
    : rowHeight_(rowHeight)
    , columns_(columns)
{
}

KitEditorLayout KitEditorLayout::forScreen(QSize room) noexcept
{
    const int usualRow = room.width() > 1064 ? 11 : 10;
    const auto tallestRow = [&](int rows) {
        return std::clamp((room.height() - kWindowFrameHeight - kAroundRows) / rows, 1, usualRow);
    };
    const KitEditorLayout single(tallestRow(kKitSlots), 1);
    const KitEditorLayout twin(tallestRow(kKitSlots / 2), 2);
    const bool twinFits = twin.windowSize().width() <= room.width();
    return single.rowHeight() >= kSmallestRow || !twinFits ? single : twin;
}

int KitEditorLayout::slotsPerColumn() const noexcept
{
    return kKitSlots / columns_;
}

QRect KitEditorLayout::slotArea() const noexcept
{
    return QRect(kLeft, kTop, columns_ * kColumnWidth, slotsPerColumn() * rowHeight_);
}

QRect KitEditorLayout::statusArea() const noexcept
{
    const QRect area = slotArea();
    return QRect(kLeft, area.bottom() + 1 + 50, area.width(), 26);
}

QSize KitEditorLayout::windowSize() const noexcept
{
    return {kLeft + columns_ * kColumnWidth, slotsPerColumn() * rowHeight_ + kAroundRows};
}

int KitEditorLayout::columnShift(int slot) const noexcept
{
    return slot / slotsPerColumn() * kColumnWidth;
}

int KitEditorLayout::rowTop(int slot) const noexcept
{
    return kTop + slot % slotsPerColumn() * rowHeight_;
}

std::optional<SlotHit> KitEditorLayout::hit(QPoint p) const noexcept
{
    if (!slotArea().contains(p))
        return std::nullopt;
    const int column = (p.x() - kLeft) / kColumnWidth;
    const int x = p.x() - column * kColumnWidth;
    if (x >= kSelectableRight)
        return std::nullopt;
    const int slot = column * slotsPerColumn() + (p.y() - kTop) / rowHeight_;
    SlotZone zone = SlotZone::None;
    if (x < kLoopX)
        zone = SlotZone::Name;
    else if (x <= kLoopX + 11)
        zone = SlotZone::Loop;
    else if (x >= kFadeX && x <= kFadeX + 11)
        zone = SlotZone::Fade;
    return SlotHit{slot, zone};
}

} // namespace quom
