#include "link/port_connection.h"

#include "link/frames.h"
#include "link/link_health.h"
#include "platform/dialogs.h"
#include "platform/port_names.h"
#include "platform/serial_port.h"

#include <QMenu>
#include <QTimer>

namespace {

const QString kErrorTitle = QStringLiteral("通信错误");
const QString kSettings = QStringLiteral("9600,n,8,1");

QString portsFound()
{
    const QStringList ports = portnames::availablePorts();
    return ports.isEmpty() ? QStringLiteral("未找到串口")
                           : QStringLiteral("可用串口：") + ports.join(QStringLiteral(", "));
}

} // namespace

PortConnection::PortConnection(SerialPort& port, Dialogs& dialogs, LinkHealth& health, QList<QMenu*> menus,
                               QTimer& Timer2)
    : m_port(port)
    , m_dialogs(dialogs)
    , m_health(health)
    , m_menus(std::move(menus))
    , m_Timer2(Timer2)
{
}

void PortConnection::portCommand()
{
    const auto answer = m_dialogs.prompt(QStringLiteral("Input communication port"),
                                         QStringLiteral("Commport"), QStringLiteral("1"));
    if (!answer || answer->trimmed().isEmpty())
        return;

    const portnames::Answer port = portnames::resolve(*answer);
    if (const auto* invalid = std::get_if<portnames::Invalid>(&port)) {
        m_dialogs.message(QStringLiteral("端口号无效：%1").arg(invalid->answer), kErrorTitle);
        return;
    }
    if (const auto* outOfRange = std::get_if<portnames::OutOfRange>(&port)) {
        refuse(outOfRange->answer, QStringLiteral("端口号超出范围"));
        return;
    }
    const QString device = std::get<portnames::Device>(port).path;
    if (!m_port.open(device, *LineSettings::parse(kSettings))) {
        refuse(device, m_port.errorString());
        return;
    }
    m_lostDevice.clear();
    m_health.lineOpened();

    for (QMenu* menu : std::as_const(m_menus)) {
        menu->setEnabled(true);
        menu->menuAction()->setEnabled(true);
    }
    m_Timer2.start();
}

void PortConnection::pollTick()
{
    if (!m_port.isOpen()) {
        // Quietly, every tick, until the device is back: the operator has been told already.
        if (m_lostDevice.isEmpty() || !m_port.open(m_lostDevice, *LineSettings::parse(kSettings)))
            return;
        m_lostDevice.clear();
        m_health.lineOpened();
    }
    m_health.pollDue();
    m_port.write(frames::kPoll);
}

void PortConnection::closeStep()
{
    m_port.close();
}

void PortConnection::lineLost(const QString& reason)
{
    m_lostDevice = m_port.device();
    m_health.lineLost();
    m_dialogs.message(QStringLiteral("串口连接中断：%1").arg(reason), kErrorTitle);
}

void PortConnection::refuse(const QString& device, const QString& reason)
{
    m_dialogs.message(QStringLiteral("无法打开串口 %1：%2\n%3").arg(device, reason, portsFound()),
                      kErrorTitle);
}
