#include "platform/line_settings.h"

#include <QStringList>

std::optional<LineSettings> LineSettings::parse(QStringView text)
{
    const auto fields = text.split(QLatin1Char(','));
    if (fields.size() != 4)
        return std::nullopt;
    LineSettings settings;
    bool ok = false;
    settings.baudRate = fields[0].trimmed().toInt(&ok);
    if (!ok || settings.baudRate <= 0)
        return std::nullopt;

    const QString parity = fields[1].trimmed().toString().toLower();
    if (parity == QLatin1String("n"))
        settings.parity = QSerialPort::NoParity;
    else if (parity == QLatin1String("e"))
        settings.parity = QSerialPort::EvenParity;
    else if (parity == QLatin1String("o"))
        settings.parity = QSerialPort::OddParity;
    else if (parity == QLatin1String("m"))
        settings.parity = QSerialPort::MarkParity;
    else if (parity == QLatin1String("s"))
        settings.parity = QSerialPort::SpaceParity;
    else
        return std::nullopt;

    const int dataBits = fields[2].trimmed().toInt(&ok);
    if (!ok || dataBits < 5 || dataBits > 8)
        return std::nullopt;
    settings.dataBits = static_cast<QSerialPort::DataBits>(dataBits);

    const QStringView stop = fields[3].trimmed();
    if (stop == QLatin1String("1"))
        settings.stopBits = QSerialPort::OneStop;
    else if (stop == QLatin1String("1.5"))
        settings.stopBits = QSerialPort::OneAndHalfStop;
    else if (stop == QLatin1String("2"))
        settings.stopBits = QSerialPort::TwoStop;
    else
        return std::nullopt;
    return settings;
}
