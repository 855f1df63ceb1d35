#include "link/reply_handler.h"

#include "link/frames.h"
#include "panel/panel_state.h"
#include "platform/text_rules.h"
#include "records/record_list.h"

#include <QLabel>

namespace {

// A set value reads characters 5 and 6, a point, then character 8; character 7 is never used.
QString setValue(QByteArrayView frame)
{
    const char text[] = {frame[4], frame[5], '.', frame[7]};
    return QString::fromLatin1(text, 4);
}

} // namespace

ReplyHandler::ReplyHandler(QLabel& LcurrP, QLabel& LsetP, QLabel& LsetF, const PanelState& state,
                           RecordList& savelist, std::function<void()> chartUpdate)
    : m_LcurrP(LcurrP)
    , m_LsetP(LsetP)
    , m_LsetF(LsetF)
    , m_state(state)
    , m_savelist(savelist)
    , m_chartUpdate(std::move(chartUpdate))
{
}

void ReplyHandler::received(QByteArrayView bytes)
{
    m_stream.feed(bytes, [this](QByteArrayView frame) { apply(frame); });
}

void ReplyHandler::apply(QByteArrayView frame)
{
    // The pump number is not read: replies from any pump are shown. An open keypad entry owns
    // its label, so a set value reply leaves it alone until the entry is done.
    switch (frame[frames::kLetterAt]) {
    case 'N': {
        const QString value = QString::fromLatin1(frame.sliced(frames::kValueAt, frames::kValueLength));
        m_LcurrP.setText(value);
        if (const auto number = textrules::toNumber(value))
            m_savelist.append(*number);
        break;
    }
    case 'P':
        if (m_state.pr != 1)
            m_LsetP.setText(setValue(frame));
        break;
    case 'L':
        if (m_state.lq != 1)
            m_LsetF.setText(setValue(frame));
        break;
    default:
        break;
    }
    m_chartUpdate();
}
