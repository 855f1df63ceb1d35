#include "platform/port_names.h"

#include "platform/text_rules.h"

#include <QRegularExpression>
#include <QSerialPortInfo>

namespace portnames {

QString deviceForNumber(int number)
{
    const QByteArray override = qgetenv(QStringLiteral("DURAVEL_COM%1").arg(number).toLatin1().constData());
    if (!override.isEmpty())
        return QString::fromLocal8Bit(override);
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}

Answer resolve(QStringView answer)
{
    const QString trimmed = answer.trimmed().toString();
    if (textrules::isNumber(trimmed)) {
        const auto number = textrules::toInt16(trimmed);
        if (!number || *number < 1)
            return OutOfRange{trimmed};
        return Device{deviceForNumber(*number)};
    }
    static const QRegularExpression windowsName(QStringLiteral("^COM\\d+$"),
                                                QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression bareName(QStringLiteral("^(tty|cu\\.|rfcomm)[A-Za-z0-9_.-]*$"));
    if (windowsName.match(trimmed).hasMatch())
        return Device{trimmed.toUpper()};
#ifndef Q_OS_WIN
    if (trimmed.startsWith(QLatin1Char('/')) && !trimmed.contains(QLatin1Char('\0')))
        return Device{trimmed};
    if (bareName.match(trimmed).hasMatch())
        return Device{QStringLiteral("/dev/") + trimmed};
#endif
    return Invalid{trimmed};
}

QStringList availablePorts()
{
    QStringList ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports << info.systemLocation();
    ports.sort();
    return ports;
}

} // namespace portnames
