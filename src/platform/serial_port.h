#pragma once

#include "platform/line_settings.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class QSerialPort;

// The serial line to the pump: one port at a time, opened with its line settings, written one
// frame per write. Received bytes and a lost line are reported as signals; nothing here talks
// to the operator.
class SerialPort : public QObject {
    Q_OBJECT
public:
    explicit SerialPort(QObject* parent = nullptr);
    ~SerialPort() override;

    // Opens the device and applies the settings. A port already open is replaced only once the
    // new one is open; on failure it stays as it was and errorString() tells why.
    bool open(const QString& device, const LineSettings& settings);
    void close();
    bool isOpen() const;
    QString device() const;

    // Writes the bytes in one write. Fails when no port is open or the line refuses the bytes;
    // a refusal on an open port counts as a lost line.
    bool write(const QByteArray& bytes);

    // Why the last open or write failed, for the operator.
    QString errorString() const;

signals:
    void received(const QByteArray& bytes);
    // The open line failed (device removed, read or write error); the port is closed by then.
    void lineLost(const QString& reason);

private:
    void readAvailable();
    void handleError(int error);
    void loseLine(const QString& reason);

    QSerialPort* m_port = nullptr;
    QString m_device;
    QString m_errorString;
};
