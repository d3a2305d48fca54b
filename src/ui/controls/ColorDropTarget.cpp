#include "ui/controls/ColorDropTarget.h"

#include "ui/controls/GUIcolorButton.h"

#include <QDropEvent>
#include <QMimeData>

namespace quom {

std::unique_ptr<QMimeData> makeColorMimeData(std::uint32_t color)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((color >> (8 * i)) & 0xFF);
    auto data = std::make_unique<QMimeData>();
    data->setData(kColorMimeType, bytes);
    return data;
}

std::optional<std::uint32_t> colorFromMimeData(const QMimeData* data)
{
    if (!data || !data->hasFormat(kColorMimeType))
        return std::nullopt;
    // Another program may offer the format with any content: take only a whole colour word.
    const QByteArray bytes = data->data(kColorMimeType);
    if (bytes.size() != 4)
        return std::nullopt;
    std::uint32_t color = 0;
    for (int i = 0; i < 4; ++i)
        color |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[i])) << (8 * i);
    return color;
}

ColorDropTarget::ColorDropTarget(GUIcolorButton* swatch)
    : QObject(swatch)
    , swatch_(swatch)
{
    swatch->setAcceptDrops(true);
    swatch->installEventFilter(this);
}

bool ColorDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != swatch_)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (colorFromMimeData(drag->mimeData())) {
            drag->setDropAction(Qt::MoveAction);
            drag->accept();
        } else if (event->type() == QEvent::DragEnter) {
            // Taken but refused: an entering drag that is not accepted goes on to the
            // window, which would load a dropped file through the swatch.
            drag->setDropAction(Qt::IgnoreAction);
            drag->accept();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (const auto color = colorFromMimeData(drop->mimeData())) {
            swatch_->setColor(*color);
            swatch_->colorChanged();
            drop->setDropAction(Qt::MoveAction);
            drop->accept();
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace quom
