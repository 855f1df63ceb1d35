#include "panel/artwork_drawing.h"

#include "panel/artwork_canvas.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <cmath>

namespace artwork {

// A pressure gauge on a pump's pipe: a white dial in a cyan-rimmed blue case, a red needle.
QImage drawing::icon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    // The pipe the gauge sits on.
    QLinearGradient pipe(0, 50, 0, 62);
    pipe.setColorAt(0, QColor(150, 200, 255));
    pipe.setColorAt(1, QColor(20, 70, 170));
    p.setPen(QPen(QColor(10, 40, 110), 1.5));
    p.setBrush(pipe);
    p.drawRoundedRect(QRectF(4, 50, 56, 12), 3, 3);
    p.drawRect(QRectF(28, 44, 8, 8));
    // Case and dial.
    QRadialGradient rim(QPointF(26, 20), 34);
    rim.setColorAt(0, QColor(120, 240, 255));
    rim.setColorAt(1, QColor(10, 60, 180));
    p.setPen(QPen(QColor(8, 30, 100), 1.5));
    p.setBrush(rim);
    p.drawEllipse(QPointF(32, 26), 24, 24);
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(32, 26), 18.5, 18.5);
    // Scale: ticks over 270 degrees, the upper part in red; too fine to show at the smallest size.
    for (int i = 0; size >= 24 && i <= 8; ++i) {
        const double a = qDegreesToRadians(225.0 - i * 33.75);
        const QPointF dir(std::cos(a), -std::sin(a));
        p.setPen(QPen(i >= 7 ? QColor(220, 30, 30) : QColor(10, 40, 110), size >= 32 ? 2.2 : 3.0));
        p.drawLine(QPointF(32, 26) + dir * 13.5, QPointF(32, 26) + dir * 17.0);
    }
    // Needle and hub.
    const double a = qDegreesToRadians(60.0);
    p.setPen(QPen(QColor(225, 20, 20), 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(32, 26), QPointF(32, 26) + QPointF(std::cos(a), -std::sin(a)) * 15);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(10, 40, 110));
    p.drawEllipse(QPointF(32, 26), 3.6, 3.6);
    p.end();
    return image;
}

} // namespace artwork
