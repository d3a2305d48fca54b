#pragma once

#include "ui/controls/PatternToolDlg.h"

#include <array>
#include <cstdint>

// "Mutate colors": moves the red, green and blue of every painted cell by a random
// amount within a range per channel. Every slider change re-seeds the generator with
// the window's seed and mutates the starting pattern again, so the sliders scale one
// fixed mutation; "New Mutation" draws the next numbers instead.
namespace quom {

class MutateDlg : public PatternToolDlg {
    Q_OBJECT

public:
    // seed: the generator's seed for this window, the clock's seconds by default.
    explicit MutateDlg(Project& project, QWidget* parent = nullptr);
    MutateDlg(Project& project, std::uint32_t seed, QWidget* parent = nullptr);

    static constexpr int kNewMutation = 1040;

private:
    // The window's own mutation at the sliders' amounts.
    void mutateFromSeed();
    // The next draws, from wherever the generator is.
    void drawNewMutation();

    std::uint32_t seed_;
    // As the sliders show them from the start, so moving one slider keeps the others'
    // mutation.
    std::array<int, 3> amounts_{10, 10, 10};
};

} // namespace quom
