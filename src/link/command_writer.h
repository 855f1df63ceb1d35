#pragma once

#include "link/command_sink.h"

class Dialogs;
class SerialPort;

// Operator commands onto the serial line; a command that cannot be written is told, not lost.
class CommandWriter final : public CommandSink {
public:
    CommandWriter(SerialPort& port, Dialogs& dialogs);
    bool send(const QByteArray& frame) override;

private:
    SerialPort& m_port;
    Dialogs& m_dialogs;
};
