#pragma once

#include "link/reply_stream.h"
#include "panel/main_window.h"
#include "support/fake_dialogs.h"

#include <QByteArray>
#include <QString>

class QLabel;
class QTimer;
class SerialPort;

// The panel's real window with its port prompt answered from a script, and a count of the reply
// frames it has applied, taken from the very bytes its reply handler gets.
class ConnectedPanel {
public:
    ConnectedPanel();

    // Chooses the port command and answers the prompt with device; true once the line is open.
    bool connect(const QString& device);

    SerialPort& line();
    QTimer& pollTimer();
    QLabel& currentPressure();
    qint64 framesApplied() const { return m_applied; }
    // Value field of the last current-pressure reply applied.
    QByteArray lastPressure() const { return m_lastPressure; }

private:
    FakeDialogs m_dialogs;
    MainWindow m_window{&m_dialogs};
    ReplyStream m_seen;
    qint64 m_applied = 0;
    QByteArray m_lastPressure;
};
