#include "core/generators/Automaton.h"

#include "core/random/Random.h"

#include <algorithm>
#include <array>

namespace quom {
namespace {

struct Offset {
    int dx;
    int dy;
};

// The neighbour order decides which parent a random draw names.
constexpr std::array<Offset, 8> kNeighbours{
    {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}};

int wrapped(int value, int size) noexcept
{
    return (value + size) % size;
}

} // namespace

void evolve(Grid& grid)
{
    const Grid previous = grid;
    std::array<Cell, 8> parents{};
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) {
            int count = 0;
            for (const Offset& o : kNeighbours) {
                const Cell c = previous[cellIndex(wrapped(x + o.dx, kColumns), wrapped(y + o.dy, kRows))];
                if (c != 0)
                    parents[count++] = c;
            }
            const Cell self = previous[cellIndex(x, y)];
            Cell next = 0;
            if (self != 0 && (count == 2 || count == 3))
                next = self;
            else if (self == 0 && count == 3)
                next = parents[std::min<int>(randomInt(3), 2)]; // a draw of 3 is the third parent
            grid[cellIndex(x, y)] = next;
        }
    }
}

} // namespace quom
