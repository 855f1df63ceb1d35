// The link under faults, end to end: a pulled line, a silent pump, lost replies.

#include "platform/serial_port.h"
#include "support/window_rig.h"

#include <QTimer>
#include <QtTest>

namespace {

bool isGrey(QLabel& label)
{
    return label.palette().color(QPalette::WindowText) == QColor(128, 128, 128);
}

bool allGrey(WindowRig& rig)
{
    return isGrey(rig.label("LcurrP")) && isGrey(rig.label("LsetP")) && isGrey(rig.label("LsetF"));
}

bool noneGrey(WindowRig& rig)
{
    return !isGrey(rig.label("LcurrP")) && !isGrey(rig.label("LsetP")) && !isGrey(rig.label("LsetF"));
}

} // namespace

class E2eLinkFaults : public QObject {
    Q_OBJECT
private slots:
    void pulledLineIsToldGreyedAndReopenedWhenItReturns();
    void silentPumpGreysTheValuesAfterThreePolls();
    void lostRepliesLeaveThePanelCurrentWhenRepliesCome();
};

void E2eLinkFaults::pulledLineIsToldGreyedAndReopenedWhenItReturns()
{
    WindowRig rig;
    const QString link = rig.dir.filePath(QStringLiteral("pump"));
    QVERIFY(rig.connect({"--link", link, "--hangup-after", "2"}, link));
    QTRY_VERIFY_WITH_TIMEOUT(!rig.logged('>').isEmpty(), 5000);
    QVERIFY(noneGrey(rig));

    QTRY_VERIFY_WITH_TIMEOUT(!rig.dialogs.messages.isEmpty(), 8000);
    QCOMPARE(rig.dialogs.messages.size(), 1);
    QVERIFY(rig.dialogs.messages[0].text.startsWith(QStringLiteral("串口连接中断：")));
    QCOMPARE(rig.dialogs.messages[0].title, QStringLiteral("通信错误"));
    QVERIFY(allGrey(rig));
    const QString captionBefore = rig.label("LcurrP").text();
    QVERIFY(rig.sim.finish());

    // The adapter comes back: a new pump on the same link. The next poll tick finds it.
    const QString log2 = rig.dir.filePath(QStringLiteral("sim2.log"));
    PumpSim second;
    QVERIFY(!second.start({"--link", link, "--log", log2}).isEmpty());
    QVERIFY(QTest::qWaitFor([&] { return !PumpSim::readLog(log2).isEmpty(); }, 6000));
    QTRY_VERIFY_WITH_TIMEOUT(noneGrey(rig), 5000);
    QVERIFY(rig.line().isOpen());
    QCOMPARE(rig.dialogs.messages.size(), 1);
    QCOMPARE(rig.label("LcurrP").text(), captionBefore);
}

void E2eLinkFaults::silentPumpGreysTheValuesAfterThreePolls()
{
    WindowRig rig;
    QVERIFY(rig.connect({"--silent"}));
    QElapsedTimer clock;
    clock.start();

    QVERIFY(QTest::qWaitFor([&] { return allGrey(rig); }, 10000));
    // Three unanswered polls at 1.5 s: grey when the fourth falls due, 6 s after opening.
    QVERIFY2(clock.elapsed() > 5000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(rig.dialogs.messages.isEmpty());
    QCOMPARE(rig.label("LcurrP").text(), QStringLiteral("00.0"));
    QCOMPARE(rig.label("LsetP").text(), QStringLiteral("02.0"));
    QVERIFY(rig.line().isOpen());
}

void E2eLinkFaults::lostRepliesLeaveThePanelCurrentWhenRepliesCome()
{
    WindowRig rig;
    QVERIFY(rig.connect({"--drop", "0.5", "--seed", "11"}));
    QVERIFY(rig.line().write("Q00L30.0Y"));
    QVERIFY(rig.line().write("Q00R0000Y"));

    QVERIFY(QTest::qWaitFor([&] { return rig.logged('<').size() >= 8; }, 20000));
    rig.window.findChild<QTimer*>(QStringLiteral("Timer2"))->stop();
    QTest::qWait(300);
    QByteArray lastPressure;
    for (const QByteArray& frame : rig.logged('>'))
        if (frame[3] == 'N')
            lastPressure = frame.mid(4, 4);
    QVERIFY(!lastPressure.isEmpty());
    QCOMPARE(rig.label("LcurrP").text(), QString::fromLatin1(lastPressure));
    QVERIFY(noneGrey(rig));
}

QTEST_MAIN(E2eLinkFaults)
#include "e2e_link_faults.moc"
