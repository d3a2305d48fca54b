#pragma once

#include "core/model/Cell.h"

#include <array>

// The wave sequence: one line of 64 cells, one per column, whose row follows a
// waveform, and whose colour runs from a starting to an ending colour left to right.
namespace quom {

enum class Wave { Sine = 0, Exp = 1, Ramp = 2, Triangle = 3, SampleAndHold = 4, Random = 5 };

// The window's settings; they outlive the window.
struct WaveSettings {
    Wave wave = Wave::Sine;
    int period = 1; // cycles across the 64 columns, 1..10
    int scale = 64; // height in rows, 2..64
    int offsetX = 0; // 0..63, with wrap
    int offsetY = 0; // 0..63, with wrap
    Cell startColor = makeCell(80, 0, 64);
    Cell endColor = makeCell(80, 127, 64);
    bool flipX = false;
    bool flipY = false;

    friend bool operator==(const WaveSettings&, const WaveSettings&) = default;
};

// What sample and hold and random read: 64 values 0..1.
using WaveRandoms = std::array<float, 64>;

// 64 draws of randomUnit, in order.
WaveRandoms drawWaveRandoms();

// Writes the line over grid: for each column x of the wave, the row offset from the
// waveform clamped to 0..scale - 1, moved by the offsets with wrap, mirrored by the
// flips, coloured by the column where the cell lands. Every other cell keeps its value.
void drawWaveSequence(Grid& grid, const WaveSettings& settings, const WaveRandoms& randoms);

} // namespace quom
