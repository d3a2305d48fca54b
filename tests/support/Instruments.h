#pragma once

#include "core/kit/Instrument.h"

#include <utility>
#include <vector>

// An instrument as a loaded wave file leaves it: named, so the slot counts as used,
// holding the given samples.
inline quom::CInstrument instrumentOf(std::vector<float> samples, bool loop = false, bool fade = false)
{
    quom::CInstrument i;
    i.name = "test.wav";
    i.data = std::move(samples);
    i.loop = loop;
    i.fade = fade;
    return i;
}
