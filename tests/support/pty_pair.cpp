#include "support/pty_pair.h"

#include <QDeadlineTimer>
#include <QTest>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PtyPair::PtyPair()
{
    char name[256] = {};
    if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    termios raw{};
    tcgetattr(m_master, &raw);
    cfmakeraw(&raw);
    tcsetattr(m_master, TCSANOW, &raw);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_device = QString::fromLocal8Bit(name);
}

PtyPair::~PtyPair()
{
    hangUp();
}

PtyPair::Line PtyPair::line() const
{
    termios settings{};
    tcgetattr(m_master, &settings);
    const speed_t speed = cfgetospeed(&settings);
    const int dataBits = (settings.c_cflag & CSIZE) == CS8 ? 8 : (settings.c_cflag & CSIZE) == CS7 ? 7 : 0;
    return {speed == B9600 ? 9600 : static_cast<int>(speed), dataBits, (settings.c_cflag & PARENB) != 0,
            (settings.c_cflag & CSTOPB) ? 2 : 1};
}

void PtyPair::write(const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n <= 0)
            return;
        done += n;
    }
}

QByteArray PtyPair::readAvailable()
{
    QByteArray bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            return bytes;
        bytes.append(buffer, n);
    }
}

QByteArray PtyPair::readAtLeast(qsizetype n, int timeoutMs)
{
    QByteArray bytes;
    QDeadlineTimer deadline(timeoutMs);
    while (bytes.size() < n && !deadline.hasExpired()) {
        bytes += readAvailable();
        if (bytes.size() < n)
            QTest::qWait(5);
    }
    return bytes;
}

void PtyPair::hangUp()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_master = m_slave = -1;
}
