#pragma once

#include "link/reply_stream.h"

#include <QByteArrayView>
#include <functional>

class QLabel;
class RecordList;
struct PanelState;

// Reply frames from the pump onto the value labels, each followed by the chart's sample; the
// current pressure, when it is a number, also goes into the record list.
class ReplyHandler {
public:
    ReplyHandler(QLabel& LcurrP, QLabel& LsetP, QLabel& LsetF, const PanelState& state,
                 RecordList& savelist, std::function<void()> chartUpdate);

    // Bytes as they arrive from the line; every whole frame among them is applied in order.
    void received(QByteArrayView bytes);
    // One frame that passed the frame check.
    void apply(QByteArrayView frame);

private:
    QLabel& m_LcurrP;
    QLabel& m_LsetP;
    QLabel& m_LsetF;
    const PanelState& m_state;
    RecordList& m_savelist;
    std::function<void()> m_chartUpdate;
    ReplyStream m_stream;
};
