#pragma once

#include <QList>
#include <QString>

class Dialogs;
class QMenu;
class QTimer;
class SerialPort;

// Opening the line at the operator's port number, the poll tick, and the close step.
class PortConnection {
public:
    // menus are switched on, in their order, once a port is open; Timer2 paces the poll.
    PortConnection(SerialPort& port, Dialogs& dialogs, QList<QMenu*> menus, QTimer& Timer2);

    void portCommand();
    void pollTick();
    void closeStep();
    // The open line failed; the operator hears of it once.
    void lineLost(const QString& reason);

private:
    void refuse(const QString& device, const QString& reason);

    SerialPort& m_port;
    Dialogs& m_dialogs;
    QList<QMenu*> m_menus;
    QTimer& m_Timer2;
};
