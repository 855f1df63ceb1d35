#include "idle_cost.h"

#include "connected_panel.h"
#include "event_loop.h"
#include "support/pump_sim.h"

#include <chrono>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr double kTargetPercentOfCore = 0.5;
// The first poll, its reply and the first paints, before the measurement starts.
constexpr int kSettleMs = 4000;

// User and system time of this whole process so far.
std::chrono::microseconds cpuTime()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto time = [](const timeval& t) { return std::chrono::seconds(t.tv_sec) + std::chrono::microseconds(t.tv_usec); };
    return time(usage.ru_utime) + time(usage.ru_stime);
}

} // namespace

int idleCost(int seconds)
{
    PumpSim sim;
    const QString device = sim.start({});
    ConnectedPanel panel;
    if (device.isEmpty() || !panel.connect(device)) {
        std::printf("idle: the simulated pump did not start or the panel could not open it\n");
        return 1;
    }
    runEventLoop(kSettleMs);
    const qint64 framesBefore = panel.framesApplied();
    const auto cpuBefore = cpuTime();
    const auto wallBefore = std::chrono::steady_clock::now();
    runEventLoop(seconds * 1000);
    const std::chrono::duration<double> cpu = cpuTime() - cpuBefore;
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallBefore;
    const qint64 frames = panel.framesApplied() - framesBefore;

    const double percent = 100.0 * cpu.count() / wall.count();
    const bool met = frames > 0 && percent < kTargetPercentOfCore;
    std::printf("polling for %.0f s, %lld replies applied: CPU %.0f ms a minute, %.3f %% of one core "
                "(target under %.1f %%: %s)\n",
                wall.count(), frames, 60e3 * cpu.count() / wall.count(), percent, kTargetPercentOfCore,
                met ? "met" : "MISSED");
    return met ? 0 : 1;
}
