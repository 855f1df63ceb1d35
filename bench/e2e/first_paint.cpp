#include "first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

FirstPaint::FirstPaint(QWidget& window)
    : m_window(window)
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool FirstPaint::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_painting && event->type() == QEvent::Paint && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->window() == &m_window) {
        m_painting = true;
        // The widgets of one window are painted and flushed in one go, without returning to the
        // event loop: a zero timer fires once the whole window has gone out.
        QTimer::singleShot(0, this, &FirstPaint::report);
    }
    return false;
}

void FirstPaint::report()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    std::printf("first-paint %lld\n", static_cast<long long>(std::chrono::nanoseconds(now).count()));
    std::fflush(stdout);
    QCoreApplication::quit();
}
