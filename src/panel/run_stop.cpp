#include "panel/run_stop.h"

#include "link/command_sink.h"
#include "link/frames.h"

#include <QLabel>

namespace {

// Nine characters either way, so the label does not shift.
const QString kRunCaption = QStringLiteral("     RUN ");
const QString kStopCaption = QStringLiteral("     STOP");

} // namespace

RunStop::RunStop(QLabel& Lstate, CommandSink& sink)
    : m_Lstate(Lstate)
    , m_sink(sink)
{
}

void RunStop::run()
{
    m_sink.send(frames::kRun);
}

void RunStop::stop()
{
    m_sink.send(frames::kStop);
}

void RunStop::runKey()
{
    // A frame that did not go out must not show as pressed.
    if (m_sink.send(frames::kRun))
        m_Lstate.setText(kRunCaption);
}

void RunStop::stopKey()
{
    if (m_sink.send(frames::kStop))
        m_Lstate.setText(kStopCaption);
}
