#include "event_log.h"

#include <cstdio>

namespace {

std::string printable(std::string_view frame)
{
    std::string text;
    for (const char c : frame) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte > 0x7e || c == '\\') {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace

EventLog::EventLog(Clock::time_point start) : m_start(start) {}

bool EventLog::open(const std::string& path)
{
    m_file.open(path, std::ios::out | std::ios::trunc);
    return m_file.is_open();
}

void EventLog::received(std::string_view frame) { line("< " + printable(frame)); }

void EventLog::sent(std::string_view frame) { line("> " + printable(frame)); }

void EventLog::repliesSent(long count) { line("replies sent: " + std::to_string(count)); }

void EventLog::line(std::string_view text)
{
    if (!m_file.is_open())
        return;
    const std::chrono::duration<double> elapsed = Clock::now() - m_start;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%.3f ", elapsed.count());
    m_file << stamp << text << '\n' << std::flush;
}
