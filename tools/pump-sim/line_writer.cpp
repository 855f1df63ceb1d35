#include "line_writer.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace {
// One start bit, eight data bits and one stop bit at 9600 baud.
constexpr std::chrono::nanoseconds kByteTime9600{1'041'667};
// Long enough that a reader sees the two parts of a split reply as two arrivals.
constexpr std::chrono::milliseconds kSplitGap{20};
constexpr std::chrono::milliseconds kCoalesceWindow{200};
} // namespace

LineWriter::LineWriter(int fd, const LineFaults& faults, bool lineDelay, std::mt19937_64& random, EventLog& log)
    : m_fd(fd)
    , m_faults(faults)
    , m_byteTime(lineDelay ? std::chrono::duration_cast<Clock::duration>(kByteTime9600) : Clock::duration::zero())
    , m_random(random)
    , m_log(log)
{
}

bool LineWriter::chance(double probability)
{
    return probability > 0.0 && std::bernoulli_distribution(probability)(m_random);
}

// Any byte but "Q", so the stray byte never looks like the start of a frame.
char LineWriter::strayByte()
{
    int byte = std::uniform_int_distribution<int>(0, 254)(m_random);
    if (byte >= 'Q')
        ++byte;
    return static_cast<char>(byte);
}

void LineWriter::send(const std::string& reply, Clock::time_point now)
{
    if (m_faults.silent || chance(m_faults.drop))
        return;
    std::string bytes = chance(m_faults.noise) ? std::string(1, strayByte()) : std::string();
    bytes += reply;
    if (m_faults.coalesce) {
        if (!m_holdUntil)
            m_holdUntil = now + kCoalesceWindow;
        m_held.bytes += bytes;
        m_held.frames.push_back(reply);
        return;
    }
    if (m_faults.split) {
        const auto cut = std::uniform_int_distribution<std::size_t>(1, bytes.size() - 1)(m_random);
        queue(bytes.substr(0, cut), {}, now);
        queue(bytes.substr(cut), {reply}, m_queue.back().due + kSplitGap);
        return;
    }
    queue(std::move(bytes), {reply}, now);
}

// The bytes of a chunk are on the line once all of them could have been sent after the previous chunk.
void LineWriter::queue(std::string bytes, std::vector<std::string> frames, Clock::time_point earliest)
{
    const Clock::time_point due = std::max(earliest, m_lineFreeAt) + m_byteTime * static_cast<long>(bytes.size());
    m_lineFreeAt = due;
    m_queue.push_back({due, std::move(bytes), std::move(frames)});
}

void LineWriter::releaseHeld(Clock::time_point now)
{
    if (!m_holdUntil || now < *m_holdUntil)
        return;
    queue(std::move(m_held.bytes), std::move(m_held.frames), *m_holdUntil);
    m_held = {};
    m_holdUntil.reset();
}

bool LineWriter::flush(Clock::time_point now)
{
    m_blocked = false;
    releaseHeld(now);
    while (!m_queue.empty() && m_queue.front().due <= now) {
        Chunk& chunk = m_queue.front();
        const ssize_t written = ::write(m_fd, chunk.bytes.data(), chunk.bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                m_blocked = true;
                return true;
            }
            return false;
        }
        chunk.bytes.erase(0, static_cast<std::size_t>(written));
        if (!chunk.bytes.empty())
            continue;
        for (const std::string& frame : chunk.frames)
            m_log.sent(frame);
        m_repliesSent += static_cast<long>(chunk.frames.size());
        m_queue.pop_front();
    }
    return true;
}

std::optional<LineWriter::Clock::time_point> LineWriter::nextDue() const
{
    if (m_blocked)
        return std::nullopt;
    std::optional<Clock::time_point> due = m_holdUntil;
    if (!m_queue.empty() && (!due || m_queue.front().due < *due))
        due = m_queue.front().due;
    return due;
}
