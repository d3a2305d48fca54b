#include "ui/controls/ButtonGlyphs.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

// quom_ui is a static library: its linker keeps the resource only when something refers to it.
static void registerButtonPictures()
{
    Q_INIT_RESOURCE(ButtonPictures);
}

namespace quom {
namespace {

const QString kFolder = QStringLiteral(":/button-pictures/");
constexpr QRectF kPicture(0, 0, 32, 30);

// The files are drawn in the normal button's inks, so that any SVG viewer shows them as they look.
constexpr QLatin1String kLinePlaceholder("#e0e0e0");
constexpr QLatin1String kAccentPlaceholder("#ffaa5a");

void registerOnce()
{
    [[maybe_unused]] static const bool kRegistered = (registerButtonPictures(), true);
}

} // namespace

bool drawGlyph(QPainter& p, QStringView name, const GlyphInk& ink)
{
    return drawInkedSvg(p, kFolder + name.toString(), ink, kPicture);
}

bool drawInkedSvg(QPainter& p, const QString& resource, const GlyphInk& ink, const QRectF& target)
{
    registerOnce();
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QString svg = QString::fromUtf8(file.readAll());
    svg.replace(kLinePlaceholder, ink.line.name(), Qt::CaseInsensitive);
    svg.replace(kAccentPlaceholder, ink.accent.name(), Qt::CaseInsensitive);
    QSvgRenderer renderer(svg.toUtf8());
    if (!renderer.isValid())
        return false;
    renderer.render(&p, target);
    return true;
}

QStringList glyphNames()
{
    registerOnce();
    return QDir(kFolder).entryList(QDir::Files);
}

} // namespace quom
