#pragma once

#include "core/operations/PatternOperations.h"

#include <optional>
#include <string_view>

// The argument grammars of the operations that take parameters: each reads what follows
// "word=" and refuses it unless every part is present and within its range.
namespace quom {

// DX,DY
std::optional<ScrollAmount> parseScrollAmount(std::string_view text);
// DR,DG,DB
std::optional<ColorOffsets> parseColorOffsets(std::string_view text);
// replace|add,single|gradient,COLOUR1,COLOUR2,DENSITY,VARIATION
std::optional<RandomSettings> parseRandomSettings(std::string_view text);
// R,G,B,SEED
std::optional<Mutation> parseMutation(std::string_view text);
// R,G,B amounts -50..50, then one 0 or 1 per channel for its inversion, e.g. 010.
std::optional<CurveSettings> parseCurveSettings(std::string_view text);
// WAVE,PERIOD,SCALE,OX,OY,START,END,FX,FY
std::optional<WaveSettings> parseWaveSettings(std::string_view text);
// FILE,DEST,AMOUNT: the filter as the Filters window loads it.
std::optional<FilterUse> parseFilterUse(std::string_view text);
// IMAGE,MODE,R,G,B: one camera frame, the picture shrunk as a frame is.
std::optional<CameraFrame> parseCameraFrame(std::string_view text);

} // namespace quom
