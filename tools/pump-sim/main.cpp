// duravel-pump-sim: a simulated metering pump on a pseudo-terminal, for the demo and for tests.
//
// On start it prints "device: /dev/pts/N" on stdout (flushed at once), then behaves as the pump
// on that line: it obeys command frames for its pump number and for 00 and answers as the pump
// does. It runs until SIGINT, SIGTERM or SIGHUP, or until --hangup-after takes the line away;
// then it removes the --link and writes "replies sent: N" (reply frames written in full) to
// stderr and to the log. Options: --help.
//
// The log (--log FILE) has one line per event, flushed at once, <t> being the seconds since
// start with three decimals:
//   <t> < <frame>           a command frame received, whether obeyed or not
//   <t> > <frame>           a reply frame written in full
//   <t> replies sent: <n>   the last line
// Bytes outside printable ASCII, and the backslash, appear as \xNN.
//
// Exit status: 0 when stopped or hung up, 1 when the line or a file fails, 2 on a bad command line.

#include "event_log.h"
#include "frame_reader.h"
#include "line_writer.h"
#include "options.h"
#include "pty_line.h"
#include "pump_commands.h"
#include "pump_model.h"
#include "stop_signals.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <iostream>
#include <optional>
#include <poll.h>
#include <random>
#include <system_error>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

int timeoutMs(Clock::time_point now, std::optional<Clock::time_point> a, std::optional<Clock::time_point> b)
{
    std::optional<Clock::time_point> due = a;
    if (b && (!due || *b < *due))
        due = b;
    if (!due)
        return -1;
    // Rounded up, so the loop never wakes just before the moment and spins.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*due - now).count();
    return static_cast<int>(std::clamp<decltype(wait)>(wait, 0, INT_MAX));
}

// Everything waiting on the line; nothing when it has failed.
std::optional<std::string> readAvailable(int fd)
{
    std::string bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count > 0) {
            bytes.append(buffer, static_cast<std::size_t>(count));
        } else if (count < 0 && errno == EINTR) {
            continue;
        } else if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return bytes;
        } else {
            return std::nullopt;
        }
    }
}

int run(const Options& options)
{
    const Clock::time_point start = Clock::now();
    std::mt19937_64 random(options.seed ? *options.seed : std::random_device{}());
    EventLog log(start);
    if (!options.log.empty() && !log.open(options.log))
        throw std::system_error(errno, std::generic_category(), options.log);
    StopSignals stopSignals;
    PtyLine line;
    if (!options.link.empty())
        line.makeLink(options.link);
    PumpModel model(random);
    PumpCommands commands(model, options.address, options.flood);
    LineWriter writer(line.master(), options.faults, options.lineDelay, random, log);
    FrameReader reader;

    std::cout << "device: " << line.device() << std::endl;

    std::optional<Clock::time_point> hangupAt;
    if (options.hangupAfter)
        hangupAt = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(*options.hangupAfter));
    Clock::time_point modelTime = start;
    int status = 0;
    for (;;) {
        const Clock::time_point now = Clock::now();
        if (hangupAt && now >= *hangupAt) {
            line.hangUp();
            break;
        }
        if (!writer.flush(now)) {
            std::cerr << "duravel-pump-sim: write: " << std::generic_category().message(errno) << '\n';
            status = 1;
            break;
        }
        pollfd fds[] = {
            {line.master(), static_cast<short>(POLLIN | (writer.blocked() ? POLLOUT : 0)), 0},
            {stopSignals.fd(), POLLIN, 0},
        };
        if (poll(fds, 2, timeoutMs(now, writer.nextDue(), hangupAt)) < 0) {
            if (errno == EINTR)
                continue;
            throw std::system_error(errno, std::generic_category(), "poll");
        }
        if (fds[1].revents != 0)
            break;
        if ((fds[0].revents & (POLLIN | POLLERR | POLLHUP | POLLNVAL)) == 0)
            continue;
        const std::optional<std::string> bytes = readAvailable(line.master());
        if (!bytes) {
            std::cerr << "duravel-pump-sim: read: " << std::generic_category().message(errno) << '\n';
            status = 1;
            break;
        }
        const Clock::time_point arrived = Clock::now();
        for (const std::string& frame : reader.feed(*bytes)) {
            log.received(frame);
            // Only a command can observe the pump, so the model is moved on when one arrives.
            model.advance(std::chrono::duration<double>(arrived - modelTime).count());
            modelTime = arrived;
            for (const std::string& reply : commands.obey(frame))
                writer.send(reply, arrived);
        }
    }
    std::cerr << "replies sent: " << writer.repliesSent() << '\n';
    log.repliesSent(writer.repliesSent());
    return status;
}

} // namespace

int main(int argc, char* argv[])
{
    Options options;
    try {
        options = parseOptions(argc, argv);
    } catch (const OptionError& error) {
        std::cerr << "duravel-pump-sim: " << error.what() << '\n' << kUsage;
        return 2;
    }
    if (options.help) {
        std::cout << kUsage;
        return 0;
    }
    try {
        return run(options);
    } catch (const std::system_error& error) {
        std::cerr << "duravel-pump-sim: " << error.what() << '\n';
        return 1;
    }
}
