#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

class QMimeData;

namespace quom {

class GUIcolorButton;

// The format colours travel in between swatches: the 4-byte colour word, little-endian.
inline const QString kColorMimeType = QStringLiteral("colorFormat");

std::unique_ptr<QMimeData> makeColorMimeData(std::uint32_t color);
// The colour a drag carries; nothing unless it offers exactly a 4-byte colour word.
std::optional<std::uint32_t> colorFromMimeData(const QMimeData* data);

// Makes a swatch accept dropped colours: a drop sets the swatch's colour and runs its
// colorChanged(); data of any other kind is refused and changes nothing.
class ColorDropTarget : public QObject {
public:
    explicit ColorDropTarget(GUIcolorButton* swatch);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    GUIcolorButton* swatch_;
};

} // namespace quom
