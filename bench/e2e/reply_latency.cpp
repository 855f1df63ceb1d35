#include "reply_latency.h"

#include "connected_panel.h"
#include "event_loop.h"
#include "percentile.h"
#include "platform/serial_port.h"
#include "support/pty_pair.h"
#include "wake_up_probe.h"

#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Nine characters of ten bits at 9600 baud.
constexpr auto kFrameTime = std::chrono::microseconds(9375);
constexpr auto kShowTimeout = std::chrono::seconds(2);
constexpr double kTargetP99Ms = 2.0;

// Never the caption the label starts with, and never the one before.
QString pressureText(int i)
{
    const int tenths = 1 + i % 199;
    return QStringLiteral("%1.%2").arg(tenths / 10, 2, 10, QLatin1Char('0')).arg(tenths % 10);
}

// What the pump thread has written and the panel's thread has seen of it.
struct Exchange {
    std::mutex mutex;
    std::condition_variable shownChanged;
    int current = -1;     // the reply on the line, by number
    QString value;        // its value field
    int shown = -1;       // the last reply the label has shown
    std::vector<Clock::time_point> written, applied, painted;
};

// Notes when the label's caption takes the value on the line, and when the window holding it
// has been painted and flushed.
class LabelWatch : public QObject {
public:
    LabelWatch(QLabel& label, Exchange& exchange)
        : m_label(label)
        , m_exchange(exchange)
    {
        label.installEventFilter(this);
    }

    void afterReceived()
    {
        std::lock_guard lock(m_exchange.mutex);
        const int i = m_exchange.current;
        if (i >= 0 && m_label.text() == m_exchange.value && m_exchange.applied[i] == Clock::time_point{})
            m_exchange.applied[i] = Clock::now();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        std::lock_guard lock(m_exchange.mutex);
        const int i = m_exchange.current;
        if (i >= 0 && i != m_scheduled && m_label.text() == m_exchange.value) {
            m_scheduled = i;
            // Runs once the paint in progress has been flushed.
            QTimer::singleShot(0, this, [this, i] {
                std::lock_guard lock(m_exchange.mutex);
                m_exchange.painted[i] = Clock::now();
                m_exchange.shown = i;
                m_exchange.shownChanged.notify_all();
            });
        }
        return false;
    }

private:
    QLabel& m_label;
    Exchange& m_exchange;
    int m_scheduled = -1;
};

double milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int replyLatency(int replies)
{
    PtyPair pty;
    ConnectedPanel panel;
    if (!pty.isValid() || !panel.connect(pty.device())) {
        std::printf("latency: no pseudo-terminal to play the pump on\n");
        return 1;
    }
    Exchange exchange;
    exchange.written.resize(std::size_t(replies));
    exchange.applied.resize(std::size_t(replies));
    exchange.painted.resize(std::size_t(replies));
    LabelWatch watch(panel.currentPressure(), exchange);
    QObject::connect(&panel.line(), &SerialPort::received, [&] { watch.afterReceived(); });
    // Let the window settle: first paints, the port's own start.
    runEventLoop(300);

    int missed = 0;
    bool finished = false;
    WakeUpProbe probe;
    std::vector<double> bare;
    std::thread pump([&] {
        auto due = Clock::now();
        for (int i = 0; i < replies; ++i) {
            std::this_thread::sleep_until(due);
            const QByteArray frame = "Q00N" + pressureText(i).toLatin1() + "Y";
            std::unique_lock lock(exchange.mutex);
            exchange.current = i;
            exchange.value = pressureText(i);
            // Taken before the write, so that the panel may see the bytes before this thread
            // runs on: the write call's few microseconds count against the panel.
            exchange.written[std::size_t(i)] = Clock::now();
            lock.unlock();
            pty.write(frame);
            lock.lock();
            if (!exchange.shownChanged.wait_for(lock, kShowTimeout, [&] { return exchange.shown == i; }))
                ++missed;
            lock.unlock();
            // Within the same frame time, so that both see the machine in the same state.
            if (const auto delay = probe.ping())
                bare.push_back(*delay);
            due = std::max(due + kFrameTime, Clock::now());
        }
        std::lock_guard lock(exchange.mutex);
        finished = true;
    });
    runEventLoopUntil([&] {
        std::lock_guard lock(exchange.mutex);
        return finished;
    }, replies * 2000 + 5000, 20);
    pump.join();

    std::vector<double> toApplied, toPainted;
    for (std::size_t i = 0; i < std::size_t(replies); ++i) {
        if (exchange.painted[i] == Clock::time_point{})
            continue;
        toApplied.push_back(milliseconds(exchange.applied[i] - exchange.written[i]));
        toPainted.push_back(milliseconds(exchange.painted[i] - exchange.written[i]));
    }
    const double p99 = percentile(toPainted, 0.99);
    const bool met = missed == 0 && p99 < kTargetP99Ms;
    std::printf("reply to label, %d replies at line pace, this program playing the pump on a pseudo-terminal:\n"
                "  this machine's floor, a bare thread woken by a write right after each: median %.3f ms, 99th percentile %.3f ms\n"
                "  caption set: median %.3f ms, 99th percentile %.3f ms\n"
                "  label painted and flushed: median %.3f ms, 99th percentile %.3f ms "
                "(target under %.0f ms: %s)%s\n",
                replies, percentile(bare, 0.5), percentile(bare, 0.99), percentile(toApplied, 0.5),
                percentile(toApplied, 0.99), percentile(toPainted, 0.5), p99, kTargetP99Ms, met ? "met" : "MISSED",
                missed ? qPrintable(QStringLiteral(", %1 never shown").arg(missed)) : "");
    return met ? 0 : 1;
}
