#pragma once

#include "core/generators/CameraBlend.h"
#include "core/generators/CellFilter.h"
#include "core/generators/RandomPattern.h"
#include "core/generators/WaveSequence.h"

// The settings blocks of the generator windows: they outlive the windows that edit
// them, so that a window reopens with its last values.
namespace quom {

struct GeneratorSettings {
    FilterSettings filter;
    RandomSettings random;
    CameraSettings camera;
    WaveSettings wave;
};

} // namespace quom
