#include "start_up.h"

#include "percentile.h"

#include <QByteArray>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr double kTimeRatioTarget = 1.2;
constexpr double kExtraMemoryTargetMB = 15.0;
constexpr int kChildTimeoutMs = 30'000;

struct Launch {
    double seconds;
    double peakMB;
};

// Everything the child writes on stdout until it closes it, or nothing when it hangs.
std::optional<std::string> readUntilClosed(int fd)
{
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kChildTimeoutMs);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd readable{fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&readable, 1, int(left.count())) <= 0)
            return std::nullopt;
        char buffer[256];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            return text;
        text.append(buffer, std::size_t(n));
    }
}

// Starts program, measured from just before the spawn to the paint it reports; the peak is
// the kernel's high-water mark of its resident memory.
std::optional<Launch> launch(const QByteArray& program)
{
    int out[2];
    if (pipe(out) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    // Quiet: each start would repeat the same platform notes.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    char* argv[] = {const_cast<char*>(program.constData()), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        return std::nullopt;
    }
    const std::optional<std::string> text = readUntilClosed(out[0]);
    ::close(out[0]);
    if (!text)
        ::kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);

    long long paintNs = 0;
    if (!text || std::sscanf(text->c_str(), "first-paint %lld", &paintNs) != 1)
        return std::nullopt;
    const auto startNs = std::chrono::nanoseconds(start.time_since_epoch()).count();
    return Launch{double(paintNs - startNs) / 1e9, double(usage.ru_maxrss) / 1024.0};
}

struct Samples {
    std::vector<double> seconds;
    std::vector<double> peakMB;
};

} // namespace

int startUp(const QString& panelProgram, const QString& minimalProgram, int runs)
{
    const QByteArray programs[] = {panelProgram.toLocal8Bit(), minimalProgram.toLocal8Bit()};
    Samples samples[2];
    // One unmeasured start of each first, so that both find their libraries in the page cache.
    for (int run = -1; run < runs; ++run)
        for (int which : {0, 1}) {
            const std::optional<Launch> result = launch(programs[which]);
            if (!result) {
                std::printf("start-up: %s did not report its first paint\n", programs[which].constData());
                return 1;
            }
            if (run < 0)
                continue;
            samples[which].seconds.push_back(result->seconds);
            samples[which].peakMB.push_back(result->peakMB);
        }

    const double panelTime = percentile(samples[0].seconds, 0.5);
    const double minimalTime = percentile(samples[1].seconds, 0.5);
    const double panelPeak = percentile(samples[0].peakMB, 0.5);
    const double minimalPeak = percentile(samples[1].peakMB, 0.5);
    const bool timeMet = panelTime <= kTimeRatioTarget * minimalTime;
    const bool memoryMet = panelPeak <= minimalPeak + kExtraMemoryTargetMB;
    std::printf("start-up to first paint, median of %d: panel %.1f ms, minimal window %.1f ms, ratio %.2f "
                "(target at most %.1f: %s)\n",
                runs, panelTime * 1e3, minimalTime * 1e3, panelTime / minimalTime, kTimeRatioTarget,
                timeMet ? "met" : "MISSED");
    std::printf("peak memory, median of %d: panel %.1f MB, minimal window %.1f MB, %+.1f MB "
                "(target at most %+.0f MB: %s)\n",
                runs, panelPeak, minimalPeak, panelPeak - minimalPeak, kExtraMemoryTargetMB,
                memoryMet ? "met" : "MISSED");
    return timeMet && memoryMet ? 0 : 1;
}
