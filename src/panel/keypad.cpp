#include "panel/keypad.h"

#include "link/command_sink.h"
#include "link/frames.h"
#include "panel/panel_state.h"
#include "platform/dialogs.h"
#include "platform/text_rules.h"

#include <QLabel>

namespace {

constexpr double kFlowLimit = 50.0;    // ml/min
constexpr double kPressureLimit = 2.0; // MPa
// Two digits, the point, one digit.
constexpr qsizetype kPointAfter = 2;
constexpr qsizetype kEntryLength = 4;

} // namespace

Keypad::Keypad(PanelState& state, QLabel& LsetF, QLabel& LsetP, QLabel& LSetState, CommandSink& sink,
               Dialogs& dialogs)
    : m_state(state)
    , m_LSetState(LSetState)
    , m_sink(sink)
    , m_dialogs(dialogs)
    , m_flow{state.lq, LsetF, QStringLiteral("Lset"), kFlowLimit, 'L', QStringLiteral("流量设定错误")}
    , m_pressure{state.pr, LsetP, QStringLiteral("Pset"), kPressureLimit, 'P', QStringLiteral("压力设定错误")}
{
}

void Keypad::keyL()
{
    open(m_flow);
}

void Keypad::keyP()
{
    open(m_pressure);
}

void Keypad::digit(char d)
{
    // At most one entry is open; a digit while idle does nothing.
    if (m_state.lq == 1)
        type(m_flow, d);
    else if (m_state.pr == 1)
        type(m_pressure, d);
}

void Keypad::open(const Entry& entry)
{
    // An open entry cannot be restarted or switched: it ends only by its third digit.
    if (m_state.lq == 1 || m_state.pr == 1)
        return;
    entry.flag = 1;
    entry.label.clear();
    m_LSetState.setText(entry.mode);
}

void Keypad::type(const Entry& entry, char d)
{
    entry.label.setText(entry.label.text() + QLatin1Char(d));
    const qsizetype length = entry.label.text().size();
    if (length == kPointAfter)
        entry.label.setText(entry.label.text() + QLatin1Char('.'));
    else if (length == kEntryLength)
        complete(entry);
}

void Keypad::complete(const Entry& entry)
{
    // Idle from here on, whether the value is refused, sent or lost on the line.
    entry.flag = 0;
    const std::optional<double> value = textrules::toNumber(entry.label.text());
    if (!value)
        return;
    if (*value > entry.limit) {
        m_dialogs.message(entry.refusal, QStringLiteral("设定错误"));
        return;
    }
    // The mode stays shown when the frame did not go out, so the operator sees it was not taken.
    if (m_sink.send(frames::setpoint(m_state.Set_Pump_NO, entry.letter, *value)))
        m_LSetState.clear();
}
