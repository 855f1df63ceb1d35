#pragma once

#include "panel/main_window.h"
#include "support/fake_dialogs.h"
#include "support/pump_sim.h"

#include <QByteArrayList>
#include <QLabel>
#include <QTemporaryDir>

class SerialPort;

// The real window with scripted dialogs, connected through its port command to a simulated pump
// that logs what crosses the line.
struct WindowRig {
    QTemporaryDir dir;
    QString log = dir.filePath(QStringLiteral("sim.log"));
    PumpSim sim;
    FakeDialogs dialogs;
    MainWindow window{&dialogs};

    // Starts the pump (with a log) and answers the port prompt with answer, or with its device.
    bool connect(const QStringList& simArgs, const QString& answer = QString());
    // Chooses a bar entry or menu item by its object name.
    void choose(const char* name);
    SerialPort& line();
    QLabel& label(const char* name);
    // Frames in the pump's log: '<' received by it, '>' replies it wrote.
    QByteArrayList logged(char direction) const;
};
