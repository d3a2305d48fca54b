#pragma once

#include "core/model/Cell.h"

#include <QColor>

#include <cstdint>

// Colour words (red in the low byte, green next, blue third, as cells hold them) as Qt
// colours.
namespace quom {

inline QColor toQColor(std::uint32_t word)
{
    return QColor(redOf(word), greenOf(word), blueOf(word));
}

} // namespace quom
