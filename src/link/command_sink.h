#pragma once

#include <QByteArray>

// Where operator commands send their frames. True when the frame went out; otherwise the
// operator has been told and the command must not go on as if it had.
class CommandSink {
public:
    virtual ~CommandSink() = default;
    virtual bool send(const QByteArray& frame) = 0;
};
