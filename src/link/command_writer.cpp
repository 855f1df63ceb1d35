#include "link/command_writer.h"

#include "platform/dialogs.h"
#include "platform/serial_port.h"

CommandWriter::CommandWriter(SerialPort& port, Dialogs& dialogs)
    : m_port(port)
    , m_dialogs(dialogs)
{
}

bool CommandWriter::send(const QByteArray& frame)
{
    if (m_port.write(frame))
        return true;
    m_dialogs.message(QStringLiteral("串口未打开，命令未发送"), QStringLiteral("通信错误"));
    return false;
}
