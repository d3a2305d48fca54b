#include "pattern/PatternModel.h"

#include <algorithm>

namespace quom {

CellRect CellRect::ordered() const noexcept
{
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

void PatternModel::StoreCurrentPattern()
{
    bank_[index_] = current_.snapshot();
    tempos_[index_] = sliderTempo();
}

bool PatternModel::SelectPattern(int index)
{
    StoreCurrentPattern();
    if (index == index_ || index < 0 || index >= kPatternSlots)
        return false;
    ShowSlot(index);
    return true;
}

void PatternModel::ShowSlot(int index)
{
    index_ = index;
    current_.assign(bank_[index]);
    if (hooks_.setTempo)
        hooks_.setTempo(clampTempo(tempos_[index]));
    selection = {};
    if (hooks_.emptyUndoHistory)
        hooks_.emptyUndoHistory();
}

void PatternModel::ResetProject()
{
    for (auto& g : bank_)
        g.fill(0);
    current_.clear();
    tempos_.fill(kDefaultTempo);
    index_ = 0;
    selection = {};
    clip = {};
    if (hooks_.resetToolState)
        hooks_.resetToolState();
}

} // namespace quom
