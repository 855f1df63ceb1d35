#include "panel/surface.h"

#include <QMouseEvent>
#include <QPainter>

Surface::Surface(const QPixmap& background, QWidget* parent)
    : QWidget(parent)
    , m_background(background)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Surface::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(0, 0, 255));
    painter.drawPixmap(0, 0, m_background);
}

void Surface::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        emit rightButtonPressed(event->globalPosition().toPoint());
}
