#include "wake_up_probe.h"

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr auto kTimeout = std::chrono::seconds(2);
// How often the reader looks whether it is to stop.
constexpr int kStopCheckMs = 100;

} // namespace

WakeUpProbe::WakeUpProbe()
{
    if (openpty(&m_master, &m_slave, nullptr, nullptr, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    termios raw{};
    tcgetattr(m_slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(m_slave, TCSANOW, &raw);
    m_reader = std::thread([this] { readUntilStopped(); });
}

WakeUpProbe::~WakeUpProbe()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    if (m_reader.joinable())
        m_reader.join();
    if (m_master >= 0) {
        ::close(m_slave);
        ::close(m_master);
    }
}

std::optional<double> WakeUpProbe::ping()
{
    if (m_master < 0)
        return std::nullopt;
    std::unique_lock lock(m_mutex);
    const long before = m_reads;
    const Clock::time_point written = Clock::now();
    if (::write(m_master, "Q00N01.5Y", 9) != 9)
        return std::nullopt;
    if (!m_woke.wait_for(lock, kTimeout, [&] { return m_reads > before; }))
        return std::nullopt;
    return std::chrono::duration<double, std::milli>(m_wokenAt - written).count();
}

void WakeUpProbe::readUntilStopped()
{
    for (;;) {
        pollfd readable{m_slave, POLLIN, 0};
        const int ready = poll(&readable, 1, kStopCheckMs);
        char bytes[64];
        const bool got = ready > 0 && ::read(m_slave, bytes, sizeof bytes) > 0;
        const Clock::time_point now = Clock::now();
        std::lock_guard lock(m_mutex);
        if (m_stop)
            return;
        if (got) {
            m_wokenAt = now;
            ++m_reads;
            m_woke.notify_all();
        }
    }
}
