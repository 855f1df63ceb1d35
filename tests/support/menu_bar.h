#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>

// An entry of the window's menu bar by its object name; nothing when the bar has no such entry.
inline QAction* barEntry(QMainWindow& window, const char* name)
{
    for (QAction* action : window.menuBar()->actions())
        if (action->objectName() == QLatin1String(name))
            return action;
    return nullptr;
}
