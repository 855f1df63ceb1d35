#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

// A bare thread blocked on a pseudo-terminal and woken by nine-byte writes, with no toolkit
// involved: how long this machine takes to wake a thread for a reply, the floor under any
// reply-to-label delay. Pinged beside the panel, it shows what the machine adds at that moment.
class WakeUpProbe {
public:
    WakeUpProbe();
    ~WakeUpProbe();
    WakeUpProbe(const WakeUpProbe&) = delete;
    WakeUpProbe& operator=(const WakeUpProbe&) = delete;

    // Milliseconds from just before the write to the thread running with the bytes; nothing
    // when no pseudo-terminal could be had or the thread did not wake within two seconds.
    std::optional<double> ping();

private:
    using Clock = std::chrono::steady_clock;
    void readUntilStopped();

    int m_master = -1;
    int m_slave = -1;
    std::mutex m_mutex;
    std::condition_variable m_woke;
    long m_reads = 0;
    Clock::time_point m_wokenAt;
    bool m_stop = false;
    std::thread m_reader;
};
