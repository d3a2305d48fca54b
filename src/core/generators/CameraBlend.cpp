#include "core/generators/CameraBlend.h"

namespace quom {

namespace {

int blendChannel(int start, int pixel, int amount) noexcept
{
    const float w = static_cast<float>(amount) / 100.0f;
    return static_cast<int>(
        ((1.0f - w) * static_cast<float>(start) / 255.0f + w * static_cast<float>(pixel) / 255.0f) * 255.0f);
}

} // namespace

Cell blendCell(Cell start, Cell pixel, const CameraSettings& settings) noexcept
{
    return makeCell(blendChannel(redOf(start), redOf(pixel), settings.red),
        blendChannel(greenOf(start), greenOf(pixel), settings.green),
        blendChannel(blueOf(start), blueOf(pixel), settings.blue));
}

Grid blendFrame(const Grid& start, const Grid& frame, const CameraSettings& settings)
{
    Grid cells{};
    for (int i = 0; i < kCells; ++i) {
        const Cell o = start[i];
        switch (settings.mode) {
        case CameraMode::AllCells:
            cells[i] = blendCell(o, frame[i], settings);
            break;
        case CameraMode::BlackCells:
            cells[i] = o != 0 ? o : blendCell(0, frame[i], settings);
            break;
        case CameraMode::PaintedCells:
            cells[i] = o == 0 ? 0 : blendCell(o, frame[i], settings);
            break;
        }
    }
    return cells;
}

} // namespace quom
