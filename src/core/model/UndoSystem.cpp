#include "core/model/UndoSystem.h"

namespace quom {

void UndoSystem::Initialise(const Grid& pattern, const Song& song)
{
    Empty();
    Record(pattern, song);
}

void UndoSystem::Record(const Grid& pattern, const Song& song)
{
    states_.resize(static_cast<std::size_t>(cursor_ + 1));
    states_.push_back(std::make_unique<CUndoState>(pattern, song));
    cursor_ = size() - 1;
}

const Grid* UndoSystem::Undo()
{
    if (cursor_ <= 0)
        return nullptr;
    --cursor_;
    return &states_[static_cast<std::size_t>(cursor_)]->cells();
}

const Grid* UndoSystem::Redo()
{
    if (cursor_ >= size() - 1)
        return nullptr;
    ++cursor_;
    return &states_[static_cast<std::size_t>(cursor_)]->cells();
}

const Song& UndoSystem::song() const noexcept
{
    static const Song kNone;
    return cursor_ < 0 ? kNone : states_[static_cast<std::size_t>(cursor_)]->song();
}

void UndoSystem::Empty()
{
    states_.clear();
    cursor_ = -1;
}

} // namespace quom
