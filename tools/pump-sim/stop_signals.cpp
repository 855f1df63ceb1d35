#include "stop_signals.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace {

int g_writeFd = -1;

void onStopSignal(int)
{
    const int savedErrno = errno;
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(g_writeFd, &byte, 1); // a full pipe already wakes the loop
    errno = savedErrno;
}

} // namespace

StopSignals::StopSignals()
{
    int fds[2];
    if (pipe(fds) != 0)
        throw std::system_error(errno, std::generic_category(), "pipe");
    for (const int fd : fds)
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    m_readFd = fds[0];
    g_writeFd = fds[1];

    struct sigaction stop{};
    stop.sa_handler = onStopSignal;
    sigemptyset(&stop.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &stop, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}
