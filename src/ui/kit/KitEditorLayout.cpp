#include "ui/kit/KitEditorLayout.h"

#include "core/kit/Kit.h"

namespace quom {

KitEditorLayout::KitEditorLayout(QSize cell) noexcept
    : cell_(cell)
{
}

QRect KitEditorLayout::slotArea() const noexcept
{
    return QRect(kLeft, kTop, kKitSlots * cell_.width(), kKitSlots * cell_.height());
}

QRect KitEditorLayout::statusArea() const noexcept
{
    const QRect area = slotArea();
    return QRect(kLeft, area.bottom() + 1 + 50, area.width(), 40);
}

std::optional<SlotHit> KitEditorLayout::hit(QPoint p) const noexcept
{
    if (!slotArea().contains(p) || p.x() >= kSelectableRight)
        return std::nullopt;
    const int slot = (p.y() - kTop) / rowHeight();
    SlotZone zone = SlotZone::None;
    if (p.x() < kLoopX)
        zone = SlotZone::Name;
    else if (p.x() <= kLoopX + 11)
        zone = SlotZone::Loop;
    else if (p.x() >= kFadeX && p.x() <= kFadeX + 11)
        zone = SlotZone::Fade;
    return SlotHit{slot, zone};
}

} // namespace quom
