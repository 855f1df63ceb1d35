#include "platform/serial_port.h"

#include <QSerialPort>

namespace {

// The operator reads these; QSerialPort's own texts are English and sometimes stale.
QString openFailureReason(const QSerialPort& port)
{
    const QString detail = port.errorString();
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return QStringLiteral("设备不存在");
    case QSerialPort::PermissionError:
        if (detail.contains(QLatin1String("lock"), Qt::CaseInsensitive)
            || detail.contains(QLatin1String("busy"), Qt::CaseInsensitive))
            return QStringLiteral("串口已被其他程序占用");
#ifdef Q_OS_WIN
        return QStringLiteral("串口已被其他程序占用，或没有访问权限");
#else
        return QStringLiteral("没有访问权限（需要把用户加入设备所属的组，通常是 dialout，然后重新登录）");
#endif
    case QSerialPort::OpenError:
        return QStringLiteral("串口已经打开");
    case QSerialPort::UnsupportedOperationError:
        return QStringLiteral("不支持的串口设置（%1）").arg(detail);
    default:
        return detail;
    }
}

bool isLineFailure(QSerialPort::SerialPortError error)
{
    return error == QSerialPort::ResourceError || error == QSerialPort::ReadError
        || error == QSerialPort::WriteError;
}

} // namespace

SerialPort::SerialPort(QObject* parent)
    : QObject(parent)
{
}

SerialPort::~SerialPort() = default;

bool SerialPort::open(const QString& device, const LineSettings& settings)
{
    // Reopening the device already open needs it released first: the lock would refuse us.
    if (isOpen() && m_device == device)
        close();

    auto* candidate = new QSerialPort(this);
    candidate->setPortName(device);
    const bool opened = candidate->open(QIODevice::ReadWrite);
    const bool configured = opened && candidate->setBaudRate(settings.baudRate)
        && candidate->setParity(settings.parity) && candidate->setDataBits(settings.dataBits)
        && candidate->setStopBits(settings.stopBits)
        && candidate->setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        m_errorString = openFailureReason(*candidate);
        delete candidate;
        return false;
    }

    if (m_port) {
        // Its own signal may be what brought us here; let it unwind before the object goes.
        m_port->disconnect(this);
        m_port->close();
        m_port->deleteLater();
    }
    m_port = candidate;
    m_device = device;
    m_errorString.clear();
    connect(m_port, &QSerialPort::readyRead, this, &SerialPort::readAvailable);
    connect(m_port, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError error) { handleError(error); });
    return true;
}

void SerialPort::close()
{
    if (m_port)
        m_port->close();
}

bool SerialPort::isOpen() const
{
    return m_port && m_port->isOpen();
}

QString SerialPort::device() const
{
    return m_device;
}

bool SerialPort::write(const QByteArray& bytes)
{
    if (!isOpen()) {
        m_errorString = QStringLiteral("串口未打开");
        return false;
    }
    // A write on a failing line may still be taken into the buffer; the error signal
    // reports the loss when it comes.
    if (m_port->write(bytes) != bytes.size()) {
        m_errorString = QStringLiteral("写入失败：%1").arg(m_port->errorString());
        loseLine(m_errorString);
        return false;
    }
    return true;
}

QString SerialPort::errorString() const
{
    return m_errorString;
}

void SerialPort::readAvailable()
{
    const QByteArray bytes = m_port->readAll();
    if (!bytes.isEmpty())
        emit received(bytes);
}

void SerialPort::handleError(int error)
{
    // Other errors (the harmless ones a pseudo-terminal raises after opening, time-outs)
    // leave the line working.
    if (isLineFailure(static_cast<QSerialPort::SerialPortError>(error)) && isOpen())
        loseLine(QStringLiteral("设备已断开或无法读写"));
}

void SerialPort::loseLine(const QString& reason)
{
    // Closing at once stops the error flood a removed device causes while the port stays open.
    m_port->close();
    m_errorString = reason;
    emit lineLost(QStringLiteral("%1 %2").arg(m_device, reason));
}
