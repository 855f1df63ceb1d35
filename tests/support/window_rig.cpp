#include "support/window_rig.h"

#include "platform/serial_port.h"

#include <QAction>
#include <QMenu>

bool WindowRig::connect(const QStringList& simArgs, const QString& answer)
{
    const QString device = sim.start(simArgs + QStringList{QStringLiteral("--log"), log});
    if (device.isEmpty())
        return false;
    window.show();
    dialogs.answer(answer.isEmpty() ? device : answer);
    choose("Communication");
    return line().isOpen();
}

void WindowRig::choose(const char* name)
{
    for (QAction* action : window.findChildren<QAction*>(QString::fromLatin1(name)))
        if (!action->menu()) {
            action->trigger();
            return;
        }
    qFatal("no menu item %s", name);
}

SerialPort& WindowRig::line()
{
    return *window.findChild<SerialPort*>(QStringLiteral("MSComm1"));
}

QLabel& WindowRig::label(const char* name)
{
    return *window.findChild<QLabel*>(QString::fromLatin1(name));
}

QByteArrayList WindowRig::logged(char direction) const
{
    QByteArrayList frames;
    for (const PumpSim::LogEntry& entry : PumpSim::readLog(log))
        if (entry.direction == direction)
            frames << entry.frame;
    return frames;
}
