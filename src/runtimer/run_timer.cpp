#include "runtimer/run_timer.h"

#include "link/command_sink.h"
#include "link/frames.h"
#include "panel/panel_state.h"
#include "platform/dialogs.h"
#include "platform/text_rules.h"

#include <QLabel>
#include <QTimer>

RunTimer::RunTimer(PanelState& state, QTimer& Timer1, const RunClock& clock, CommandSink& sink, Dialogs& dialogs)
    : m_state(state)
    , m_Timer1(Timer1)
    , m_clock(clock)
    , m_sink(sink)
    , m_dialogs(dialogs)
{
}

void RunTimer::set()
{
    const std::optional<QString> answer = m_dialogs.prompt(QStringLiteral("请输入设定时间 单位 分 "),
                                                           QStringLiteral("时间设定"), QStringLiteral("0"));
    if (!answer || answer->trimmed().isEmpty())
        return;
    const std::optional<double> minutes = textrules::toNumber(*answer);
    if (!minutes) {
        m_dialogs.message(QStringLiteral("时间设定错误!"), QStringLiteral("错误"));
        return;
    }
    // No range test: zero or a negative time stops the run at its first tick.
    m_state.timeset = *minutes;
}

// Start and continue count only once the pump has been told to run; a run frame that could
// not be written leaves everything as it was.
void RunTimer::start()
{
    if (!m_sink.send(frames::kRun))
        return;
    m_state.tset = 0;
    m_Timer1.start();
    // The captions keep the last run's time until the first tick.
    showClock(true);
}

// Pause, end and the auto-stop stop the clock even when the stop frame could not be written:
// the operator has been told, and a clock counting on would only repeat the failed stop.
void RunTimer::pause()
{
    m_Timer1.stop();
    m_sink.send(frames::kStop);
}

void RunTimer::resume()
{
    if (!m_sink.send(frames::kRun))
        return;
    // Counts on from the paused count; tset is left alone.
    m_Timer1.start();
}

void RunTimer::end()
{
    m_state.timeset = 0.0;
    m_Timer1.stop();
    m_sink.send(frames::kStop);
    showClock(false);
}

void RunTimer::tick()
{
    const qint32 elapsed = ++m_state.tset;
    m_clock.lhour.setText(textrules::wholeText(elapsed / 3600));
    m_clock.lmin.setText(textrules::wholeText(elapsed % 3600 / 60));
    m_clock.lsed.setText(textrules::wholeText(elapsed % 60));
    if (elapsed < m_state.timeset * 60.0)
        return;
    // The clock stops before the frame goes out: a failed write is told in a modal box, and
    // ticks that came while it is open must not send the stop again.
    m_Timer1.stop();
    m_state.tset = 0;
    m_sink.send(frames::kStop);
}

void RunTimer::showClock(bool shown)
{
    for (QLabel* label : {&m_clock.lhour, &m_clock.lmin, &m_clock.lsed, &m_clock.Label1, &m_clock.Label2, &m_clock.Label3})
        label->setVisible(shown);
}
