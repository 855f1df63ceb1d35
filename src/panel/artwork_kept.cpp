#include "panel/artwork_kept.h"

#include "panel/artwork_drawing.h"

#include <QGuiApplication>
#include <QResource>

namespace artwork::kept {

Picture background()
{
    return {QStringLiteral("background.rgb32"), drawing::kBackgroundSize, QImage::Format_RGB32};
}

Picture keyFace(KeyFace face)
{
    return {QStringLiteral("key-%1.argb32").arg(static_cast<int>(face)), drawing::kKeyFaceSize,
            QImage::Format_ARGB32_Premultiplied};
}

Picture icon(int size)
{
    return {QStringLiteral("icon-%1.argb32").arg(size), QSize(size, size), QImage::Format_ARGB32_Premultiplied};
}

std::optional<QImage> find(const Picture& picture)
{
    if (!qGuiApp || qGuiApp->devicePixelRatio() != 1.0)
        return std::nullopt;
    const QResource resource(QStringLiteral(":/artwork/") + picture.name);
    const qint64 bytes = qint64(picture.size.width()) * picture.size.height() * 4;
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression
        || resource.size() != bytes)
        return std::nullopt;
    const QImage shared(resource.data(), picture.size.width(), picture.size.height(), picture.format);
    // Pixels are read a word at a time: a picture kept at an odd address is copied to one.
    if (reinterpret_cast<quintptr>(resource.data()) % alignof(quint32) != 0)
        return shared.copy();
    return shared;
}

} // namespace artwork::kept
