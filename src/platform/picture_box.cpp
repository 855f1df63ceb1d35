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
    m_forePen = QPen(colour, 0);
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
    Lines(*this).line(from, to, colour);
}

PictureBox::Lines::Lines(PictureBox& box)
    : m_box(box)
{
    if (m_box.m_surface.isNull())
        m_box.m_surface = m_box.blankSurface();
    // Before the box has a size there is nothing to draw on.
    if (m_box.m_surface.isNull())
        return;
    m_painter.begin(&m_box.m_surface);
    m_painter.setPen(m_box.m_forePen);
}

PictureBox::Lines::~Lines()
{
    if (!m_painter.isActive())
        return;
    m_painter.end();
    m_box.update();
}

void PictureBox::Lines::line(QPointF from, QPointF to)
{
    line(from, to, m_box.m_foreColor);
}

void PictureBox::Lines::line(QPointF from, QPointF to, const QColor& colour)
{
    if (!m_painter.isActive())
        return;
    if (m_painter.pen().color() != colour)
        m_painter.setPen(m_box.penFor(colour));
    m_painter.drawLine(m_box.toPixels(from), m_box.toPixels(to));
}

void PictureBox::Lines::clip(QPointF corner, QPointF oppositeCorner)
{
    if (!m_painter.isActive())
        return;
    const QRectF area = QRectF(m_box.toPixels(corner), m_box.toPixels(oppositeCorner)).normalized();
    m_painter.setClipRect(area.adjusted(-1.0, -1.0, 1.0, 1.0).toAlignedRect());
}

void PictureBox::Lines::unclip()
{
    if (m_painter.isActive())
        m_painter.setClipping(false);
}

const QPen& PictureBox::penFor(const QColor& colour)
{
    if (colour == m_foreColor)
        return m_forePen;
    if (m_otherPen.color() != colour)
        m_otherPen = QPen(colour, 0);
    return m_otherPen;
}

void PictureBox::cls()
{
    if (m_surface.isNull())
        return;
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
    if (m_surface.isNull()) {
        painter.fillRect(event->rect(), palette().color(QPalette::Base));
        return;
    }
    painter.drawImage(event->rect(), m_surface,
                      QRectF(QPointF(event->rect().topLeft()) * m_surface.devicePixelRatio(),
                             QSizeF(event->rect().size()) * m_surface.devicePixelRatio()));
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_surface.isNull())
        return;
    QImage resized = blankSurface();
    QPainter painter(&resized);
    painter.drawImage(QPointF(0, 0), m_surface);
    painter.end();
    m_surface = resized;
}

QImage PictureBox::blankSurface() const
{
    const qreal ratio = devicePixelRatioF();
    QImage blank(size() * ratio, QImage::Format_RGB32);
    blank.setDevicePixelRatio(ratio);
    blank.fill(palette().color(QPalette::Base));
    return blank;
}
