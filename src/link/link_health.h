#pragma once

#include <QColor>

class QLabel;

// Whether the values on show can be trusted. They are greyed while the line is lost, and when
// the pump has left three polls in a row unanswered, until the next reply frame is applied;
// their captions never change here.
class LinkHealth {
public:
    LinkHealth(QLabel& LcurrP, QLabel& LsetP, QLabel& LsetF);

    // A line has been opened: the count of unanswered polls starts again.
    void lineOpened();
    // A poll is about to go out.
    void pollDue();
    void frameApplied();
    void lineLost();
    bool isStale() const { return m_stale; }

private:
    void setStale(bool stale);

    QLabel& m_LcurrP;
    QLabel& m_LsetP;
    QLabel& m_LsetF;
    QColor m_normalText;
    int m_unansweredPolls = 0;
    bool m_stale = false;
};
