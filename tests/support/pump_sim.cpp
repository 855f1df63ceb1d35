#include "support/pump_sim.h"

#include <QFile>
#include <QTest>

#include <csignal>

PumpSim::~PumpSim()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(kTimeoutMs))
        m_process.kill();
    m_process.waitForFinished(kTimeoutMs);
}

QString PumpSim::start(const QStringList& args)
{
    m_process.start(QStringLiteral(DURAVEL_PUMP_SIM), args);
    if (!m_process.waitForStarted(kTimeoutMs)
        || !QTest::qWaitFor([&] { return m_process.canReadLine(); }, kTimeoutMs))
        return {};
    const QByteArray line = m_process.readLine().trimmed();
    return line.startsWith("device: ") ? QString::fromLocal8Bit(line.mid(8)) : QString();
}

bool PumpSim::stop(int signal)
{
    ::kill(static_cast<pid_t>(m_process.processId()), signal);
    return finish();
}

bool PumpSim::finish()
{
    const bool ended = m_process.state() == QProcess::NotRunning || m_process.waitForFinished(kTimeoutMs);
    return ended && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
}

QList<PumpSim::LogEntry> PumpSim::readLog(const QString& path)
{
    QList<LogEntry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().trimmed().split(' ');
        if (fields.size() == 3 && (fields[1] == "<" || fields[1] == ">"))
            entries.append({fields[0].toDouble(), fields[1][0], fields[2]});
    }
    return entries;
}
