#include "link/link_health.h"

#include <QLabel>

namespace {

// Polls without a reply frame before the values count as stale: 4.5 s at the poll's pace.
constexpr int kUnansweredPollsAllowed = 3;
const QColor kStaleText(128, 128, 128);

} // namespace

LinkHealth::LinkHealth(QLabel& LcurrP, QLabel& LsetP, QLabel& LsetF)
    : m_LcurrP(LcurrP)
    , m_LsetP(LsetP)
    , m_LsetF(LsetF)
    , m_normalText(LcurrP.palette().color(QPalette::WindowText))
{
}

void LinkHealth::lineOpened()
{
    m_unansweredPolls = 0;
}

void LinkHealth::pollDue()
{
    if (m_unansweredPolls >= kUnansweredPollsAllowed)
        setStale(true);
    ++m_unansweredPolls;
}

void LinkHealth::frameApplied()
{
    m_unansweredPolls = 0;
    if (m_stale)
        setStale(false);
}

void LinkHealth::lineLost()
{
    setStale(true);
}

void LinkHealth::setStale(bool stale)
{
    m_stale = stale;
    for (QLabel* label : {&m_LcurrP, &m_LsetP, &m_LsetF}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, stale ? kStaleText : m_normalText);
        label->setPalette(palette);
    }
}
