#include "flood_rate.h"

#include "connected_panel.h"
#include "event_loop.h"
#include "platform/serial_port.h"
#include "support/pump_sim.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QRegularExpression>
#include <QTimer>
#include <csignal>
#include <cstdio>

namespace {

constexpr double kTargetFramesPerSecond = 20'000;
// Without progress for this long the flood is over, whatever has arrived.
constexpr int kStallMs = 5000;
constexpr int kGiveUpMs = 10 * 60 * 1000;

// The count the pump prints on its way out: "replies sent: N".
qint64 repliesSent(PumpSim& sim)
{
    const QString errors = QString::fromLocal8Bit(sim.process().readAllStandardError());
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("replies sent: (\\d+)")).match(errors);
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

} // namespace

int floodRate(long flood)
{
    PumpSim sim;
    const QString device = sim.start({QStringLiteral("--no-line-delay"), QStringLiteral("--flood"), QString::number(flood)});
    if (device.isEmpty()) {
        std::printf("flood: the simulated pump did not start\n");
        return 1;
    }
    ConnectedPanel panel;
    const qint64 floodFrames = flood + 1;
    QElapsedTimer clock;
    qint64 pollAt = -1;
    qint64 doneAt = -1;
    // Both after the panel's own slots: the poll has been written, the frames applied.
    QObject::connect(&panel.pollTimer(), &QTimer::timeout, [&] {
        if (pollAt < 0)
            pollAt = clock.nsecsElapsed();
    });
    QObject::connect(&panel.line(), &SerialPort::received, [&] {
        if (doneAt < 0 && panel.framesApplied() >= floodFrames)
            doneAt = clock.nsecsElapsed();
    });
    clock.start();
    if (!panel.connect(device)) {
        std::printf("flood: the panel could not open %s\n", qPrintable(device));
        return 1;
    }
    qint64 seen = 0;
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    runEventLoopUntil([&] {
        if (panel.framesApplied() != seen) {
            seen = panel.framesApplied();
            sinceProgress.restart();
        }
        return doneAt >= 0 || (pollAt >= 0 && sinceProgress.elapsed() > kStallMs);
    }, kGiveUpMs);
    // The replies to any polls made meanwhile come in behind the flood.
    panel.pollTimer().stop();
    runEventLoop(500);
    sim.stop(SIGTERM);
    const qint64 sent = repliesSent(sim);
    const qint64 applied = panel.framesApplied();
    const bool allApplied = applied == sent && panel.currentPressure().text() == QString::fromLatin1(panel.lastPressure());
    if (doneAt < 0 || !allApplied) {
        std::printf("flood: %lld replies applied of %lld sent: LOST some\n", applied, sent);
        return 1;
    }
    const double seconds = double(doneAt - pollAt) / 1e9;
    const double rate = double(floodFrames) / seconds;
    std::printf("flood: %lld replies applied of %lld sent, none lost; %lld in %.2f s after the poll, "
                "%.0f frames/s (target at least %.0f: %s)\n",
                applied, sent, floodFrames, seconds, rate, kTargetFramesPerSecond,
                rate >= kTargetFramesPerSecond ? "met" : "MISSED");
    return rate >= kTargetFramesPerSecond ? 0 : 1;
}
