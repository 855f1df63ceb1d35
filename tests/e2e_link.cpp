// The real window, its real serial line and the simulated pump on a pseudo-terminal.

#include "link/frames.h"
#include "link/reply_stream.h"
#include "platform/serial_port.h"
#include "support/window_rig.h"

#include <QTimer>
#include <QtTest>

class E2eLink : public QObject {
    Q_OBJECT
private slots:
    void pollsReachThePumpAndItsRepliesTheLabels();
    void everyReplyArrivesThroughLineFaults_data();
    void everyReplyArrivesThroughLineFaults();
    void pulledLineIsToldAndThePanelStaysUp();
};

void E2eLink::pollsReachThePumpAndItsRepliesTheLabels()
{
    WindowRig rig;
    rig.label("LcurrP").clear();
    QVERIFY(rig.connect({}));

    QVERIFY(QTest::qWaitFor([&] { return rig.logged('<').size() >= 3; }, 8000));
    QList<double> pollTimes;
    for (const PumpSim::LogEntry& entry : PumpSim::readLog(rig.log))
        if (entry.direction == '<') {
            QCOMPARE(entry.frame, frames::kPoll);
            pollTimes << entry.seconds;
        }
    for (int i = 1; i < pollTimes.size(); ++i) {
        const double gap = pollTimes[i] - pollTimes[i - 1];
        QVERIFY2(gap > 1.3 && gap < 2.5, qPrintable(QString::number(gap)));
    }
    QTRY_COMPARE(rig.label("LcurrP").text(), QStringLiteral("00.0"));
}

void E2eLink::everyReplyArrivesThroughLineFaults_data()
{
    QTest::addColumn<QStringList>("fault");
    QTest::newRow("noise") << QStringList{"--noise", "0.5", "--seed", "3"};
    QTest::newRow("split") << QStringList{"--split", "--seed", "4"};
    QTest::newRow("coalesce") << QStringList{"--coalesce"};
    QTest::newRow("flood without line delay") << QStringList{"--no-line-delay", "--flood", "2000", "--noise", "0.2"};
}

void E2eLink::everyReplyArrivesThroughLineFaults()
{
    QFETCH(QStringList, fault);
    WindowRig rig;
    // The same bytes the panel's reply handler gets, in the same order.
    ReplyStream seen;
    QList<QByteArray> applied;
    QObject::connect(&rig.line(), &SerialPort::received, [&](const QByteArray& bytes) {
        seen.feed(bytes, [&](QByteArrayView frame) { applied << frame.toByteArray(); });
    });
    QVERIFY(rig.connect(fault));
    // A running pump, so that the replies carry different pressures.
    QVERIFY(rig.line().write("Q00L40.0Y"));
    QVERIFY(rig.line().write(frames::kRun));

    QVERIFY(QTest::qWaitFor([&] { return rig.logged('<').size() >= 5; }, 12000));
    rig.window.findChild<QTimer*>(QStringLiteral("Timer2"))->stop();
    QTest::qWait(1000);
    // Replies still on their way after the last poll are waited for, however slow the build.
    QVERIFY(QTest::qWaitFor([&] { return applied.size() == rig.logged('>').size(); }, 20000));
    QCOMPARE(applied, rig.logged('>'));
    QByteArray lastPressure;
    for (const QByteArray& frame : applied)
        if (frame[3] == 'N')
            lastPressure = frame.mid(4, 4);
    QCOMPARE(rig.label("LcurrP").text(), QString::fromLatin1(lastPressure));
    QVERIFY(rig.dialogs.messages.isEmpty());
}

void E2eLink::pulledLineIsToldAndThePanelStaysUp()
{
    WindowRig rig;
    QVERIFY(rig.connect({"--hangup-after", "2"}));

    QTRY_VERIFY_WITH_TIMEOUT(!rig.dialogs.messages.isEmpty(), 8000);
    QVERIFY(rig.sim.finish());
    // Polls go on hitting a closed line for a while without further messages or a crash.
    QTest::qWait(3500);
    QCOMPARE(rig.dialogs.messages.size(), 1);
    QVERIFY(rig.dialogs.messages[0].text.startsWith(QStringLiteral("串口连接中断：")));
    QVERIFY(rig.window.isVisible());
}

QTEST_MAIN(E2eLink)
#include "e2e_link.moc"
