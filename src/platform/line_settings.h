#pragma once

#include <QSerialPort>
#include <QStringView>
#include <optional>

// Line settings as the panel writes them, "baud,parity,data bits,stop bits" such as "9600,n,8,1".
struct LineSettings {
    qint32 baudRate = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;

    static std::optional<LineSettings> parse(QStringView text);
};
