#include "panel/artwork_canvas.h"

#include <QGuiApplication>

namespace artwork::canvas {

QImage blank(QSize size)
{
    const double ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QImage image((QSizeF(size) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

QFont latinFont(int pixelSize, bool condensed)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    if (condensed)
        font.setStretch(QFont::Condensed);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace artwork::canvas
