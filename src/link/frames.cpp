#include "link/frames.h"

#include "platform/text_rules.h"

namespace frames {

QByteArray setpoint(qint64 pump, char letter, double value)
{
    return kStart + textrules::pattern00(pump).toLatin1() + letter
        + textrules::pattern00_0(value).toLatin1() + kEnd;
}

} // namespace frames
