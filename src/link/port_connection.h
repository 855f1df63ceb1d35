#pragma once

#include <QList>
#include <QString>

class Dialogs;
class LinkHealth;
class QMenu;
class QTimer;
class SerialPort;

// Opening the line at the operator's port number, the poll tick, and the close step. A line
// that fails while open is told once and then reopened by the poll tick when it comes back.
class PortConnection {
public:
    // menus are switched on, in their order, once a port is open; Timer2 paces the poll.
    PortConnection(SerialPort& port, Dialogs& dialogs, LinkHealth& health, QList<QMenu*> menus,
                   QTimer& Timer2);

    void portCommand();
    void pollTick();
    void closeStep();
    // The open line failed; the operator hears of it once.
    void lineLost(const QString& reason);

private:
    void refuse(const QString& device, const QString& reason);

    SerialPort& m_port;
    Dialogs& m_dialogs;
    LinkHealth& m_health;
    QList<QMenu*> m_menus;
    QTimer& m_Timer2;
    // The device of a line that failed while open, until it is back.
    QString m_lostDevice;
};
