#include "controls/ButtonGlyphs.h"

#include <QPainter>

#include <array>

namespace quom {
namespace {

struct Glyph {
    QStringView name;
    GlyphDrawer draw;
};

const std::array<Glyph, 0> kGlyphs{};

} // namespace

GlyphDrawer glyphFor(QStringView name)
{
    for (const Glyph& g : kGlyphs) {
        if (g.name == name)
            return g.draw;
    }
    return nullptr;
}

QStringList glyphNames()
{
    QStringList names;
    for (const Glyph& g : kGlyphs)
        names << g.name.toString();
    return names;
}

} // namespace quom
