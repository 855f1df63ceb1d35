#include "panel/artwork_drawing.h"

#include "panel/artwork_canvas.h"

#include <QPainter>
#include <QPainterPath>

namespace artwork {
namespace {

using drawing::kKeyFaceSize;

void paintTile(QPainter& p)
{
    const QRectF tile = QRectF(QPointF(0, 0), kKeyFaceSize).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient body(tile.topLeft(), tile.bottomLeft());
    body.setColorAt(0.0, QColor(62, 124, 222));
    body.setColorAt(0.5, QColor(38, 94, 196));
    body.setColorAt(1.0, QColor(26, 70, 168));
    p.setPen(QPen(QColor(150, 200, 255), 1));
    p.setBrush(body);
    p.drawRoundedRect(tile, 3, 3);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.drawLine(QPointF(3, 1.5), QPointF(kKeyFaceSize.width() - 3, 1.5));
}

void paintTriangle(QPainter& p, bool up)
{
    const QPointF c(kKeyFaceSize.width() / 2.0, kKeyFaceSize.height() / 2.0);
    const double half = 6.5, rise = 5.5;
    const double sign = up ? -1 : 1;
    const QPolygonF triangle{c + QPointF(0, sign * rise), c + QPointF(-half, -sign * rise * 0.8),
                             c + QPointF(half, -sign * rise * 0.8)};
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 20, 70, 110));
    p.drawPolygon(triangle.translated(0.6, 0.8));
    p.setBrush(Qt::white);
    p.drawPolygon(triangle);
}

void paintGlyph(QPainter& p, const QString& text)
{
    const bool word = text.size() > 1;
    p.setFont(canvas::latinFont(word ? 11 : 14, text.size() > 3));
    const QRectF area(QPointF(0, 0), kKeyFaceSize);
    p.setPen(QColor(0, 20, 70, 110));
    p.drawText(area.translated(0.6, 0.8), Qt::AlignCenter, text);
    p.setPen(Qt::white);
    p.drawText(area, Qt::AlignCenter, text);
}

QString glyphText(KeyFace face)
{
    switch (face) {
    case KeyFace::L: return QStringLiteral("L");
    case KeyFace::P: return QStringLiteral("P");
    case KeyFace::Run: return QStringLiteral("RUN");
    case KeyFace::Stop: return QStringLiteral("STOP");
    case KeyFace::Up:
    case KeyFace::Down: return {};
    default: return QString::number(static_cast<int>(face) - static_cast<int>(KeyFace::Digit0));
    }
}

} // namespace

QImage drawing::keyFace(KeyFace face)
{
    QImage image = canvas::blank(kKeyFaceSize);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    paintTile(p);
    if (face == KeyFace::Up || face == KeyFace::Down)
        paintTriangle(p, face == KeyFace::Up);
    else
        paintGlyph(p, glyphText(face));
    p.end();
    return image;
}

} // namespace artwork
