#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal pair for tests: the panel opens device() with QSerialPort, the test plays
// the pump on the other side.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool isValid() const { return m_master >= 0; }
    QString device() const { return m_device; }
    // The line settings the panel's side has applied.
    struct Line {
        int baud;
        int dataBits;
        bool parity;
        int stopBits;
    };
    Line line() const;

    // Bytes as the pump sends them.
    void write(const QByteArray& bytes);
    // Everything that has arrived from the panel so far, without waiting.
    QByteArray readAvailable();
    // Waits up to timeoutMs, serving the event loop, until at least n bytes have arrived.
    QByteArray readAtLeast(qsizetype n, int timeoutMs);
    // The line goes away, as when an adapter is pulled.
    void hangUp();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_device;
};
