#include "platform/picture_box.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// Far outside any screen, yet small enough for the rasteriser: a value too large to draw is
// clamped here and its line leaves the box as a steep one would.
constexpr double kDrawableLimit = 1.0e5;

double drawable(double pixels)
{
    if (std::isnan(pixels))
        return 0.0;
    return std::clamp(pixels, -kDrawableLimit, kDrawableLimit);
}

} // namespace

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setScale(QPointF topLeft, QPointF bottomRight)
{
    m_topLeft = topLeft;
    m_bottomRight = bottomRight;
}

void PictureBox::setForeColor(const QColor& colour)
{
    m_foreColor = colour;
}

QColor PictureBox::foreColor() const
{
    return m_foreColor;
}

QPointF PictureBox::toPixels(QPointF user) const
{
    const double x = (user.x() - m_topLeft.x()) / (m_bottomRight.x() - m_topLeft.x()) * width();
    const double y = (user.y() - m_topLeft.y()) / (m_bottomRight.y() - m_topLeft.y()) * height();
    return {drawable(x), drawable(y)};
}

void PictureBox::line(QPointF from, QPointF to)
{
    line(from, to, m_foreColor);
}

void PictureBox::line(QPointF from, QPointF to, const QColor& colour)
{
    if (m_surface.isNull())
        return;
    QPainter painter(&m_surface);
    painter.setPen(QPen(colour, 0));
    painter.drawLine(toPixels(from), toPixels(to));
    update();
}

void PictureBox::cls()
{
    m_surface.fill(palette().color(QPalette::Base));
    update();
}

const QImage& PictureBox::surface() const
{
    return m_surface;
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), m_surface,
                      QRectF(QPointF(event->rect().topLeft()) * m_surface.devicePixelRatio(),
                             QSizeF(event->rect().size()) * m_surface.devicePixelRatio()));
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const qreal ratio = devicePixelRatioF();
    QImage resized(size() * ratio, QImage::Format_RGB32);
    resized.setDevicePixelRatio(ratio);
    resized.fill(palette().color(QPalette::Base));
    if (!m_surface.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(QPointF(0, 0), m_surface);
    }
    m_surface = resized;
}
