#include "connected_panel.h"

#include "platform/serial_port.h"

#include <QAction>
#include <QLabel>
#include <QTimer>

ConnectedPanel::ConnectedPanel()
{
    // Connected after the window's own handler, so a frame is counted once it has been applied.
    QObject::connect(&line(), &SerialPort::received, [this](const QByteArray& bytes) {
        m_seen.feed(bytes, [this](QByteArrayView frame) {
            ++m_applied;
            if (frame[3] == 'N')
                m_lastPressure = frame.sliced(4, 4).toByteArray();
        });
    });
}

bool ConnectedPanel::connect(const QString& device)
{
    m_window.show();
    m_dialogs.answer(device);
    m_window.findChild<QAction*>(QStringLiteral("Communication"))->trigger();
    return line().isOpen();
}

SerialPort& ConnectedPanel::line()
{
    return *m_window.findChild<SerialPort*>(QStringLiteral("MSComm1"));
}

QTimer& ConnectedPanel::pollTimer()
{
    return *m_window.findChild<QTimer*>(QStringLiteral("Timer2"));
}

QLabel& ConnectedPanel::currentPressure()
{
    return *m_window.findChild<QLabel*>(QStringLiteral("LcurrP"));
}
