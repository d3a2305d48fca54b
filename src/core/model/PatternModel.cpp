#include "core/model/PatternModel.h"

#include <algorithm>

namespace quom {

CellRect CellRect::ordered() const noexcept
{
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

void PatternModel::storeCurrentPattern(int tempo) noexcept
{
    bank_[index_] = current_.snapshot();
    tempos_[index_] = tempo;
}

bool PatternModel::showSlot(int index) noexcept
{
    if (index < 0 || index >= kPatternSlots)
        return false;
    index_ = index;
    current_.assign(bank_[index]);
    selection = {};
    return true;
}

void PatternModel::resetProject() noexcept
{
    for (auto& g : bank_)
        g.fill(0);
    current_.clear();
    tempos_.fill(kDefaultTempo);
    index_ = 0;
    selection = {};
    clip = {};
}

} // namespace quom
