#pragma once

#include <chrono>
#include <fstream>
#include <string>
#include <string_view>

// Writes the log described at the top of main.cpp, each line flushed at once so that tests can
// read it while the simulator runs. Without a file it writes nothing.
class EventLog {
public:
    using Clock = std::chrono::steady_clock;

    explicit EventLog(Clock::time_point start);

    // False when the file cannot be opened.
    bool open(const std::string& path);

    void received(std::string_view frame);
    void sent(std::string_view frame);
    void repliesSent(long count);

private:
    void line(std::string_view text);

    Clock::time_point m_start;
    std::ofstream m_file;
};
