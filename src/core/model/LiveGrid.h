#pragma once

#include "core/model/Cell.h"

#include <atomic>

// The current pattern as the audio thread sees it. Each cell is its own relaxed
// atomic word: a step played while the window rewrites the grid may mix old and new
// cells, which is accepted, but there is never a data race.
namespace quom {

class LiveGrid {
public:
    LiveGrid() noexcept
    {
        for (auto& c : cells_)
            c.store(0, std::memory_order_relaxed);
    }
    LiveGrid(const LiveGrid&) = delete;
    LiveGrid& operator=(const LiveGrid&) = delete;

    Cell at(int index) const noexcept { return cells_[index].load(std::memory_order_relaxed); }
    Cell at(int column, int row) const noexcept { return at(cellIndex(column, row)); }

    void set(int index, Cell c) noexcept { cells_[index].store(c, std::memory_order_relaxed); }
    void set(int column, int row, Cell c) noexcept { set(cellIndex(column, row), c); }

    Grid snapshot() const noexcept
    {
        Grid g;
        for (int i = 0; i < kCells; ++i)
            g[i] = at(i);
        return g;
    }

    void assign(const Grid& g) noexcept
    {
        for (int i = 0; i < kCells; ++i)
            set(i, g[i]);
    }

    void clear() noexcept
    {
        for (int i = 0; i < kCells; ++i)
            set(i, 0);
    }

private:
    std::array<std::atomic<Cell>, kCells> cells_;
};

} // namespace quom
