#pragma once

#include "event_log.h"
#include "line_faults.h"

#include <chrono>
#include <deque>
#include <optional>
#include <random>
#include <string>
#include <vector>

// Writes reply frames to the line at the pace of 9600 baud, with the faults asked for.
// Nothing blocks: writes are queued with the time they are due and flush() writes what is due.
class LineWriter {
public:
    using Clock = std::chrono::steady_clock;

    LineWriter(int fd, const LineFaults& faults, bool lineDelay, std::mt19937_64& random, EventLog& log);

    void send(const std::string& reply, Clock::time_point now);

    // Writes every chunk that is due. False when the line has failed.
    bool flush(Clock::time_point now);

    // When flush() next has work; nothing while the line is full (then wait until it is writable).
    std::optional<Clock::time_point> nextDue() const;
    bool blocked() const { return m_blocked; }

    long repliesSent() const { return m_repliesSent; }

private:
    struct Chunk {
        Clock::time_point due;
        std::string bytes;
        std::vector<std::string> frames; // the replies whose last byte is in this chunk
    };

    bool chance(double probability);
    char strayByte();
    void queue(std::string bytes, std::vector<std::string> frames, Clock::time_point earliest);
    void releaseHeld(Clock::time_point now);

    int m_fd;
    LineFaults m_faults;
    Clock::duration m_byteTime;
    std::mt19937_64& m_random;
    EventLog& m_log;
    std::deque<Chunk> m_queue;
    Clock::time_point m_lineFreeAt{};
    std::optional<Clock::time_point> m_holdUntil;
    Chunk m_held;
    bool m_blocked = false;
    long m_repliesSent = 0;
};
