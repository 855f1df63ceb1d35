// A timed run through the real window against the simulated pump.

#include "link/frames.h"
#include "support/window_rig.h"

#include <QTimer>
#include <QtTest>

class E2eTimedRun : public QObject {
    Q_OBJECT
private slots:
    void timedRunStartsThePumpAndStopsItByItself();
};

void E2eTimedRun::timedRunStartsThePumpAndStopsItByItself()
{
    WindowRig rig;
    QVERIFY(rig.connect({}));
    rig.dialogs.answer(QStringLiteral("0.05"));
    rig.choose("stset");
    rig.choose("ststart");

    QTRY_VERIFY_WITH_TIMEOUT(rig.logged('<').contains(frames::kStop), 8000);
    QList<PumpSim::LogEntry> commands;
    for (const PumpSim::LogEntry& entry : PumpSim::readLog(rig.log))
        if (entry.direction == '<' && entry.frame != frames::kPoll)
            commands << entry;
    QCOMPARE(commands.size(), 2);
    QCOMPARE(commands[0].frame, frames::kRun);
    QCOMPARE(commands[1].frame, frames::kStop);
    // 0.05 minutes are three ticks of a second.
    const double ran = commands[1].seconds - commands[0].seconds;
    QVERIFY2(ran > 2.5 && ran < 4.5, qPrintable(QString::number(ran)));

    QVERIFY(!rig.window.findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    QVERIFY(rig.label("lsed").isVisible());
    QCOMPARE(rig.label("lhour").text() + rig.label("lmin").text() + rig.label("lsed").text(), QStringLiteral("003"));
    QVERIFY(rig.dialogs.messages.isEmpty());
}

QTEST_MAIN(E2eTimedRun)
#include "e2e_timed_run.moc"
