#include "core/model/UndoSystem.h"

namespace quom {

void UndoSystem::Initialise(const Grid& pattern)
{
    Empty();
    Record(pattern);
}

void UndoSystem::Record(const Grid& pattern)
{
    states_.resize(static_cast<std::size_t>(cursor_ + 1));
    states_.push_back(std::make_unique<CUndoState>(pattern));
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

void UndoSystem::Empty()
{
    states_.clear();
    cursor_ = -1;
}

} // namespace quom
