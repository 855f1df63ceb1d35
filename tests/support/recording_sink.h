#pragma once

#include "link/command_sink.h"

#include <QByteArrayList>

// A command sink for driving handlers one by one: records every frame, and can play a line
// that is not open (the real writer has told the operator by then).
class RecordingSink final : public CommandSink {
public:
    bool send(const QByteArray& frame) override
    {
        if (!open)
            return false;
        frames.append(frame);
        return true;
    }

    bool open = true;
    QByteArrayList frames;
};
