#pragma once

#include "core/model/Cell.h"

// A camera painting the pattern: every frame, shrunk to 64 x 64, blended into the cells
// the window lets it change, always from the pattern as it was when the window opened,
// so the result follows the camera without accumulating.
namespace quom {

enum class CameraMode { AllCells = 0, BlackCells = 1, PaintedCells = 2 };

// The Video window's settings; they outlive the window.
struct CameraSettings {
    CameraMode mode = CameraMode::PaintedCells;
    int red = 100; // percent each: how strongly the channel follows the camera
    int green = 100;
    int blue = 100;

    friend bool operator==(const CameraSettings&, const CameraSettings&) = default;
};

// Per channel with w = amount / 100: trunc(((1 - w) x o / 255 + w x p / 255) x 255), in
// single precision; o the starting cell, p the frame's pixel.
Cell blendCell(Cell start, Cell pixel, const CameraSettings& settings) noexcept;

// The pattern a frame makes: all cells blend from their start (an empty one from
// black); black cells only: painted cells stay, empty ones blend from black; painted
// cells only: empty cells stay empty, painted ones blend.
Grid blendFrame(const Grid& start, const Grid& frame, const CameraSettings& settings);

} // namespace quom
