// A minute of the line at full speed: the panel polls as fast as its timer goes and the pump
// answers without line delay through noise, split and coalesced writes. Every valid reply the
// pump writes must be applied, and the panel must not grow while it runs.

#include "link/reply_stream.h"
#include "platform/serial_port.h"
#include "support/window_rig.h"

#include <QFile>
#include <QTimer>
#include <QtTest>

namespace {

constexpr int kPhaseSeconds = 18;

qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

} // namespace

class E2eSoak : public QObject {
    Q_OBJECT
private slots:
    void everyReplyAppliedAndMemoryFlat_data();
    void everyReplyAppliedAndMemoryFlat();
};

void E2eSoak::everyReplyAppliedAndMemoryFlat_data()
{
    QTest::addColumn<QStringList>("faults");
    QTest::newRow("noise at full speed") << QStringList{"--noise", "0.2", "--seed", "4", "--flood", "100000"};
    QTest::newRow("noise and split writes") << QStringList{"--noise", "0.2", "--split", "--seed", "5"};
    QTest::newRow("noise and coalesced writes") << QStringList{"--noise", "0.2", "--coalesce", "--seed", "6"};
}

void E2eSoak::everyReplyAppliedAndMemoryFlat()
{
    QFETCH(QStringList, faults);
    WindowRig rig;
    // Counted from the very bytes the panel's reply handler gets, in the same order.
    ReplyStream seen;
    qint64 applied = 0;
    QByteArray lastPressure;
    QObject::connect(&rig.line(), &SerialPort::received, [&](const QByteArray& bytes) {
        seen.feed(bytes, [&](QByteArrayView frame) {
            ++applied;
            if (frame[3] == 'N')
                lastPressure = frame.sliced(4, 4).toByteArray();
        });
    });
    QVERIFY(rig.connect(faults + QStringList{"--no-line-delay"}));
    QVERIFY(rig.line().write("Q00L45.0Y"));
    QVERIFY(rig.line().write("Q00R0000Y"));
    auto* Timer2 = rig.window.findChild<QTimer*>(QStringLiteral("Timer2"));
    Timer2->start(1);

    QTest::qWait(3000);
    const qint64 memoryAtStart = residentKiB();
    const qint64 appliedAtStart = applied;
    QTest::qWait(kPhaseSeconds * 1000);
    // Before the test reads the pump's log, which is the test's memory, not the panel's.
    const qint64 memoryAtEnd = residentKiB();
    Timer2->stop();
    // Whatever the pump still has in hand goes out within a moment of the last poll.
    QTest::qWait(1000);
    qint64 sent = 0;
    // Split and coalesced replies trickle in after the last poll; count until both sides agree.
    QVERIFY(QTest::qWaitFor([&] { sent = rig.logged('>').size(); return applied == sent; }, 30000));

    QCOMPARE(applied, sent);
    QCOMPARE(rig.label("LcurrP").text(), QString::fromLatin1(lastPressure));
    QVERIFY(rig.dialogs.messages.isEmpty());
    qInfo("polls %lld, replies sent %lld, applied %lld, resident memory %lld KiB at start, %lld KiB at end",
          qint64(rig.logged('<').size()), sent, applied, memoryAtStart, memoryAtEnd);
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("AddressSanitizer holds freed memory in quarantine: memory is measured in the plain build");
#endif
    // The record list keeps every pressure (8 bytes each); beyond that nothing may build up.
    QVERIFY2(memoryAtEnd - memoryAtStart < 1024 + (applied - appliedAtStart) * 8 / 1024,
             qPrintable(QStringLiteral("%1 KiB -> %2 KiB").arg(memoryAtStart).arg(memoryAtEnd)));
}

QTEST_MAIN(E2eSoak)
#include "e2e_soak.moc"
