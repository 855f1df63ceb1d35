#pragma once

#include <QObject>

class QWidget;

// Prints "first-paint <ns>" on stdout, the steady clock once the window's first paint has been
// flushed, then ends the application: the child's half of the start-up measurement.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void report();

    QWidget& m_window;
    bool m_painting = false;
};
