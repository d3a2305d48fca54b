#pragma once

#include "core/model/Cell.h"

#include <QImage>

// A pattern as the windows that choose among patterns show it: each cell a block of
// 2 x 2 pixels in the colour it holds.
namespace quom {

inline constexpr int kThumbnailSize = 128;

QImage thumbnailOf(const Grid& cells);

} // namespace quom
