#pragma once

#include "core/model/Cell.h"

// The options of the painting tools. They outlive the option panels that edit them:
// switching tools keeps them, and a new project does not reset them.
namespace quom {

struct ToolOptions {
    Cell pencilColor = makeCell(255, 50, 100);
    int pencilVariation = 0; // percent, 0..100

    int eraserSize = 5; // cells, 1..10

    Cell lineColor1 = makeCell(255, 50, 100);
    Cell lineColor2 = makeCell(0, 50, 0);
    int lineQuantize = 0; // 0..4: every 2^quantize-th point is drawn

    Cell aeroColor1 = makeCell(255, 0, 255);
    Cell aeroColor2 = makeCell(88, 67, 255);
    int aeroRadius = 8; // cells, 2..32
    int aeroSpeed = 90; // 1..100

    friend bool operator==(const ToolOptions&, const ToolOptions&) = default;
};

// Milliseconds between two airbrush dots. The fastest speed asks for 0, which the
// timer could not keep up with; 10 ms is the shortest interval a window timer has.
constexpr int airbrushInterval(int speed) noexcept
{
    const int ms = 400 - 4 * speed;
    return ms < 10 ? 10 : ms;
}

} // namespace quom
