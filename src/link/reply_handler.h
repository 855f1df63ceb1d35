#pragma once

#include "link/reply_stream.h"

#include <QByteArrayView>
#include <functional>

class QLabel;
struct PanelState;

// Reply frames from the pump onto the value labels, each followed by the chart's sample.
class ReplyHandler {
public:
    ReplyHandler(QLabel& LcurrP, QLabel& LsetP, QLabel& LsetF, const PanelState& state,
                 std::function<void()> chartUpdate);

    // Bytes as they arrive from the line; every whole frame among them is applied in order.
    void received(QByteArrayView bytes);
    // One frame that passed the frame check.
    void apply(QByteArrayView frame);

private:
    QLabel& m_LcurrP;
    QLabel& m_LsetP;
    QLabel& m_LsetF;
    const PanelState& m_state;
    std::function<void()> m_chartUpdate;
    ReplyStream m_stream;
};
