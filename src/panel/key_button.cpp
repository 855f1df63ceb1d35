#include "panel/key_button.h"

#include <QPainter>

KeyButton::KeyButton(const QPixmap& face, QWidget* parent)
    : QAbstractButton(parent)
    , m_face(face)
{
    setFocusPolicy(Qt::TabFocus);
    // A right-button press on a key is not a press on the window's surface.
    setAttribute(Qt::WA_NoMousePropagation);
}

QSize KeyButton::sizeHint() const
{
    return m_face.deviceIndependentSize().toSize() + QSize(2, 4);
}

void KeyButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool down = isDown();
    // A raised key that sinks while held.
    painter.fillRect(rect(), QColor(212, 208, 200));
    painter.setPen(down ? QColor(64, 64, 64) : Qt::white);
    painter.drawLine(0, 0, width() - 1, 0);
    painter.drawLine(0, 0, 0, height() - 1);
    painter.setPen(down ? Qt::white : QColor(64, 64, 64));
    painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
    const QSizeF face = m_face.deviceIndependentSize();
    const QPointF at((width() - face.width()) / 2.0 + (down ? 1 : 0),
                     (height() - face.height()) / 2.0 + (down ? 1 : 0));
    painter.drawPixmap(at, m_face);
    if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}
