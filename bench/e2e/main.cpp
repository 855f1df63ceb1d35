// The panel end to end, offscreen, against a pump on a pseudo-terminal. One measurement a run:
//   bench_panel_e2e flood [N]      the simulated pump floods N replies without line delay
//   bench_panel_e2e latency [N]    N replies at line pace, each timed to the label showing it
//   bench_panel_e2e idle [SECONDS] CPU time while the panel only polls
//   bench_panel_e2e startup [RUNS] start-up to first paint and peak memory beside a minimal window
// Exit status 0 when the measurement met its target, 1 when not, 2 on a bad command line.
#include "flood_rate.h"
#include "idle_cost.h"
#include "reply_latency.h"
#include "start_up.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    const char* mode = argc > 1 ? argv[1] : "";
    long count = 0;
    bool counted = argc <= 2;
    if (!counted)
        count = QByteArray(argv[2]).toLong(&counted);
    const auto countOr = [&](long fallback) { return argc > 2 ? count : fallback; };
    if (!counted || count < 0 || argc > 3) {
        std::fprintf(stderr, "usage: %s flood [N] | latency [N] | idle [SECONDS] | startup [RUNS]\n", argv[0]);
        return 2;
    }
    // The start-up children inherit these too, so both are measured on the same platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");

    if (std::strcmp(mode, "startup") == 0) {
        // Only starts the two programs: no window of its own.
        QCoreApplication app(argc, argv);
        const QString dir = QCoreApplication::applicationDirPath();
        return startUp(dir + QStringLiteral("/bench_panel_window"), dir + QStringLiteral("/bench_minimal_window"),
                       int(countOr(21)));
    }
    QApplication app(argc, argv);
    if (std::strcmp(mode, "flood") == 0)
        return floodRate(countOr(100'000));
    if (std::strcmp(mode, "latency") == 0)
        return replyLatency(int(countOr(2000)));
    if (std::strcmp(mode, "idle") == 0)
        return idleCost(int(countOr(60)));
    std::fprintf(stderr, "usage: %s flood [N] | latency [N] | idle [SECONDS] | startup [RUNS]\n", argv[0]);
    return 2;
}
