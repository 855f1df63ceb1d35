#include "panel/setpoint_prompts.h"

#include "link/command_sink.h"
#include "link/frames.h"
#include "panel/panel_state.h"
#include "platform/dialogs.h"
#include "platform/text_rules.h"

namespace {

constexpr double kFlowLimit = 50.0;    // ml/min
constexpr double kPressureLimit = 2.0; // MPa
// The prompts always address pump 00; the selected number is for the keypad.
constexpr qint64 kPromptPump = 0;
// Two digits in the frame's pump number field.
constexpr qint16 kHighestPump = 99;

const QString kErrorTitle = QStringLiteral("错误");

QString twoLines(const char* first, const char* second)
{
    return QString::fromUtf8(first) + QStringLiteral("\r\n") + QString::fromUtf8(second);
}

} // namespace

SetpointPrompts::SetpointPrompts(PanelState& state, CommandSink& sink, Dialogs& dialogs)
    : m_state(state)
    , m_sink(sink)
    , m_dialogs(dialogs)
    , m_flow{twoLines("请输入您需要的流量 单位 ml/min ", "流量范围为0.1—50.0ml/min"),
             QStringLiteral("流量设定"), QStringLiteral("0"), kFlowLimit, 'L',
             QStringLiteral("流量设定错误!"), state.setliq}
    , m_pressure{twoLines("请输入您需要保护压 单位 MPa", "压力设定范围为0—2.0MPa"),
                 QStringLiteral("压力设定"), QStringLiteral("2"), kPressureLimit, 'P',
                 QStringLiteral("压力设定错误!"), state.setpresure}
{
}

void SetpointPrompts::flow()
{
    ask(m_flow);
}

void SetpointPrompts::pressure()
{
    ask(m_pressure);
}

void SetpointPrompts::ask(const Prompt& prompt)
{
    const std::optional<QString> answer = m_dialogs.prompt(prompt.text, prompt.title, prompt.defaultAnswer);
    if (!answer || answer->isEmpty())
        return;
    const std::optional<double> value = textrules::toNumber(*answer);
    if (!value) {
        m_dialogs.message(prompt.refusal, kErrorTitle);
        return;
    }
    // Kept even when refused: it is the last number answered, not the last one sent.
    prompt.answered = *value;
    // A negative value would make a ten-character frame that the pump may misread.
    if (*value > prompt.limit || *value < 0) {
        m_dialogs.message(prompt.refusal, kErrorTitle);
        return;
    }
    m_sink.send(frames::setpoint(kPromptPump, prompt.letter, *value));
}

void SetpointPrompts::pumpNumber()
{
    const std::optional<QString> answer =
        m_dialogs.prompt(QStringLiteral("请输入要控制泵的编号 "), QStringLiteral("编号设定"), QStringLiteral("0"));
    if (!answer || answer->isEmpty())
        return;
    // Rounded first, a half to the even neighbour: 2.5 selects pump 2.
    const std::optional<qint16> number = textrules::toInt16(*answer);
    if (!number || *number < 0 || *number > kHighestPump) {
        m_dialogs.message(QStringLiteral("泵编号设定错误!"), kErrorTitle);
        return;
    }
    m_state.Set_Pump_NO = *number;
}
