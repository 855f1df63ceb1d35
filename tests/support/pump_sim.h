#pragma once

#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

// The simulated pump as a child process for tests; stopped when the test ends, however it ends.
class PumpSim {
public:
    static constexpr int kTimeoutMs = 10000;

    ~PumpSim();

    // Starts it; the device of its serial end from its first line, or nothing when it did not start.
    QString start(const QStringList& args);
    // Ends it with a signal and waits; true when it ended by itself with status 0.
    bool stop(int signal);
    // True when it has ended, or ends within the time-out, by itself with status 0.
    bool finish();
    QProcess& process() { return m_process; }

    // One line of its log: "<t> < <frame>" for a frame received, "<t> > <frame>" for a reply.
    struct LogEntry {
        double seconds;
        char direction;
        QByteArray frame;
    };
    static QList<LogEntry> readLog(const QString& path);

private:
    QProcess m_process;
};
