#pragma once

#include "core/model/Cell.h"

#include <QColor>

#include <cstdint>

// Colour words (red in the low byte, green next, blue third, as cells hold them) in and
// out of Qt colours.
namespace quom {

inline QColor toQColor(std::uint32_t word)
{
    return QColor(redOf(word), greenOf(word), blueOf(word));
}

inline std::uint32_t toColorWord(const QColor& c)
{
    return makeCell(c.red(), c.green(), c.blue());
}

} // namespace quom
