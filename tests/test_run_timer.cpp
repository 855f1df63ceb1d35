#include "link/frames.h"
#include "panel/main_window.h"
#include "panel/panel_state.h"
#include "platform/qt_dialogs.h"
#include "runtimer/run_timer.h"
#include "support/fake_dialogs.h"
#include "support/pty_pair.h"
#include "support/recording_sink.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QtTest>

namespace {

// The run timer with plain labels, a recording sink and a timer that only the test fires.
struct Rig {
    explicit Rig(Dialogs* dialogs = nullptr)
        : timer(state, Timer1, RunClock{lhour, lmin, lsed, Label1, Label2, Label3}, sink,
                dialogs ? *dialogs : fake)
    {
        Timer1.setInterval(1000);
        for (QLabel* label : clock())
            label->hide();
    }

    QList<QLabel*> clock() { return {&lhour, &lmin, &lsed, &Label1, &Label2, &Label3}; }
    // Captions as "hours minutes seconds".
    QString captions() const { return lhour.text() + ' ' + lmin.text() + ' ' + lsed.text(); }
    // R for each run frame, S for each stop frame, in the order sent.
    QString sent() const
    {
        QStringList letters;
        for (const QByteArray& frame : sink.frames)
            letters << (frame == frames::kRun ? "R" : frame == frames::kStop ? "S" : "?");
        return letters.join(' ');
    }

    // Carries out a script such as "set=1 start tick*30 pause": commands, answers to the set
    // prompt, ticks, and "close" for a line that refuses frames from then on. Ticks come only
    // from a running Timer1; the first tick that would come from a stopped one is returned.
    QString run(const QString& script)
    {
        for (const QString& step : script.split(' ', Qt::SkipEmptyParts)) {
            if (step.startsWith(QLatin1String("set="))) {
                fake.answer(step.mid(4));
                timer.set();
            } else if (step == QLatin1String("start")) {
                timer.start();
            } else if (step == QLatin1String("pause")) {
                timer.pause();
            } else if (step == QLatin1String("continue")) {
                timer.resume();
            } else if (step == QLatin1String("end")) {
                timer.end();
            } else if (step == QLatin1String("close")) {
                sink.open = false;
            } else if (step.startsWith(QLatin1String("tick"))) {
                const int count = step == QLatin1String("tick") ? 1 : step.mid(5).toInt();
                for (int i = 0; i < count; ++i) {
                    if (!Timer1.isActive())
                        return QStringLiteral("%1, tick %2 of a stopped timer").arg(step).arg(i + 1);
                    timer.tick();
                }
            } else {
                return QStringLiteral("unknown step ") + step;
            }
        }
        return {};
    }

    PanelState state;
    QTimer Timer1;
    QWidget window; // never shown: the labels' visibility is their own
    QLabel lhour{QStringLiteral("00"), &window};
    QLabel lmin{QStringLiteral("00"), &window};
    QLabel lsed{QStringLiteral("00"), &window};
    QLabel Label1{QStringLiteral("时"), &window};
    QLabel Label2{QStringLiteral("分"), &window};
    QLabel Label3{QStringLiteral("秒"), &window};
    RecordingSink sink;
    FakeDialogs fake;
    RunTimer timer;
};

QAction* item(QMainWindow& window, const char* name)
{
    return window.findChild<QAction*>(QString::fromLatin1(name));
}

// Every frame the panel has written so far but the polls that go on beside the commands.
struct Commands {
    PtyPair& pty;
    QByteArray line;

    QByteArray sent()
    {
        line += pty.readAvailable();
        QByteArray commands;
        for (qsizetype at = 0; at + frames::kLength <= line.size(); at += frames::kLength) {
            const QByteArray frame = line.mid(at, frames::kLength);
            if (frame != frames::kPoll)
                commands += frame;
        }
        return commands;
    }
};

} // namespace

class TestRunTimer : public QObject {
    Q_OBJECT
private slots:
    void commandsAndTicks_data();
    void commandsAndTicks();
    void setPromptAnswers_data();
    void setPromptAnswers();
    void runCountsOnWhileTheSetPromptIsOpen();
    void menuCommandsDriveTheRunThroughTheWindow();
};

void TestRunTimer::commandsAndTicks_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("frames");
    QTest::addColumn<int>("tset");
    QTest::addColumn<double>("timeset");
    QTest::addColumn<bool>("running");
    QTest::addColumn<bool>("clockShown");
    QTest::addColumn<QString>("captions");

    QTest::newRow("start shows the clock as it stood")
        << "start" << "R" << 0 << 0.0 << true << true << "00 00 00";
    QTest::newRow("start without a set time stops at the first tick")
        << "start tick" << "R S" << 0 << 0.0 << false << true << "0 0 1";
    QTest::newRow("set time 1 still runs at 59 s")
        << "set=1 start tick*59" << "R" << 59 << 1.0 << true << true << "0 0 59";
    QTest::newRow("set time 1 stops at 60 s")
        << "set=1 start tick*60" << "R S" << 0 << 1.0 << false << true << "0 1 0";
    QTest::newRow("half a minute stops at 30 s")
        << "set=0.5 start tick*30" << "R S" << 0 << 0.5 << false << true << "0 0 30";
    QTest::newRow("negative set time stops at the first tick")
        << "set=-2 start tick" << "R S" << 0 << -2.0 << false << true << "0 0 1";
    QTest::newRow("hours, minutes and seconds without leading zeros")
        << "set=100 start tick*3725" << "R" << 3725 << 100.0 << true << true << "1 2 5";
    QTest::newRow("run beyond 32767 s")
        << "set=600 start tick*36000" << "R S" << 0 << 600.0 << false << true << "10 0 0";
    QTest::newRow("pause and continue keep the count")
        << "set=1 start tick*20 pause continue tick*40" << "R S R S" << 0 << 1.0 << false << true << "0 1 0";
    QTest::newRow("pause while idle still sends stop")
        << "pause" << "S" << 0 << 0.0 << false << false << "00 00 00";
    QTest::newRow("continue without start runs with the clock hidden")
        << "set=0.05 continue tick*3" << "R S" << 0 << 0.05 << false << false << "0 0 3";
    QTest::newRow("end then continue stops at the next tick, counting on")
        << "set=1 start tick*5 end continue tick" << "R S R S" << 0 << 0.0 << false << false << "0 0 6";
    QTest::newRow("second start counts from zero")
        << "set=1 start tick*40 start tick*60" << "R R S" << 0 << 1.0 << false << true << "0 1 0";
    QTest::newRow("set time cut below the count stops at the next tick")
        << "set=1 start tick*40 set=0.5 tick" << "R S" << 0 << 0.5 << false << true << "0 0 41";
    QTest::newRow("end after the auto-stop")
        << "start tick end" << "R S S" << 0 << 0.0 << false << false << "0 0 1";

    // A frame the line refuses: the operator has been told by the writer.
    QTest::newRow("start refused starts nothing")
        << "set=1 close start" << "" << 0 << 1.0 << false << false << "00 00 00";
    QTest::newRow("second start refused keeps counting; failed auto-stop still stops")
        << "set=1 start tick*10 close start tick*50" << "R" << 0 << 1.0 << false << true << "0 1 0";
    QTest::newRow("continue refused stays paused")
        << "set=1 start tick*10 pause close continue" << "R S" << 10 << 1.0 << false << true << "0 0 10";
    QTest::newRow("pause refused still stops the clock")
        << "set=1 start tick close pause" << "R" << 1 << 1.0 << false << true << "0 0 1";
    QTest::newRow("end refused still ends")
        << "set=1 start tick close end" << "R" << 1 << 0.0 << false << false << "0 0 1";
}

void TestRunTimer::commandsAndTicks()
{
    QFETCH(QString, script);
    QFETCH(QString, frames);
    QFETCH(int, tset);
    QFETCH(double, timeset);
    QFETCH(bool, running);
    QFETCH(bool, clockShown);
    QFETCH(QString, captions);
    Rig rig;

    const QString fault = rig.run(script);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    QCOMPARE(rig.sent(), frames);
    QCOMPARE(rig.state.tset, tset);
    QCOMPARE(rig.state.timeset, timeset);
    QCOMPARE(rig.Timer1.isActive(), running);
    QCOMPARE(rig.Timer1.interval(), 1000);
    for (QLabel* label : rig.clock())
        QCOMPARE(!label->isHidden(), clockShown);
    QCOMPARE(rig.captions(), captions);
    QVERIFY(rig.fake.messages.isEmpty());
}

void TestRunTimer::setPromptAnswers_data()
{
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<double>("timeset");
    QTest::addColumn<bool>("refused");

    QTest::newRow("whole") << std::optional<QString>("2") << 2.0 << false;
    QTest::newRow("fraction") << std::optional<QString>("0.5") << 0.5 << false;
    QTest::newRow("blanks around") << std::optional<QString>(" 3 ") << 3.0 << false;
    QTest::newRow("negative") << std::optional<QString>("-1.5") << -1.5 << false;
    QTest::newRow("zero") << std::optional<QString>("0") << 0.0 << false;
    QTest::newRow("exponent") << std::optional<QString>("1e1") << 10.0 << false;
    QTest::newRow("cancel") << std::optional<QString>() << 7.0 << false;
    QTest::newRow("empty") << std::optional<QString>("") << 7.0 << false;
    QTest::newRow("only blanks") << std::optional<QString>("  ") << 7.0 << false;
    QTest::newRow("letters") << std::optional<QString>("abc") << 7.0 << true;
    QTest::newRow("decimal comma") << std::optional<QString>("1,5") << 7.0 << true;
    QTest::newRow("unit typed") << std::optional<QString>("5分") << 7.0 << true;
    QTest::newRow("infinity") << std::optional<QString>("inf") << 7.0 << true;
    QTest::newRow("beyond a double") << std::optional<QString>("1e400") << 7.0 << true;
}

void TestRunTimer::setPromptAnswers()
{
    QFETCH(std::optional<QString>, answer);
    QFETCH(double, timeset);
    QFETCH(bool, refused);
    Rig rig;
    rig.state.timeset = 7.0;
    rig.fake.answer(answer);

    rig.timer.set();
    QCOMPARE(rig.fake.prompts.size(), 1);
    QCOMPARE(rig.fake.prompts[0].text, QStringLiteral("请输入设定时间 单位 分 "));
    QCOMPARE(rig.fake.prompts[0].title, QStringLiteral("时间设定"));
    QCOMPARE(rig.fake.prompts[0].defaultAnswer, QStringLiteral("0"));
    QCOMPARE(rig.state.timeset, timeset);
    QCOMPARE(rig.fake.messages.size(), refused ? 1 : 0);
    if (refused) {
        QCOMPARE(rig.fake.messages[0].text, QStringLiteral("时间设定错误!"));
        QCOMPARE(rig.fake.messages[0].title, QStringLiteral("错误"));
    }
    QVERIFY(rig.sink.frames.isEmpty());
    QVERIFY(!rig.Timer1.isActive());
}

void TestRunTimer::runCountsOnWhileTheSetPromptIsOpen()
{
    // Qt's own prompt: its modal loop must go on serving the clock's timer.
    QtDialogs dialogs(nullptr);
    Rig rig(&dialogs);
    rig.Timer1.setInterval(10);
    QObject::connect(&rig.Timer1, &QTimer::timeout, [&] { rig.timer.tick(); });
    rig.state.timeset = 10.0;
    rig.timer.start();

    qint32 countedWhileOpen = -1;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        auto* prompt = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        if (!prompt || rig.state.tset < 5)
            return;
        countedWhileOpen = rig.state.tset;
        prompt->setTextValue(QStringLiteral("2"));
        prompt->accept();
    });
    answerer.start(20);
    const qint32 before = rig.state.tset;
    rig.timer.set();

    QVERIFY(countedWhileOpen >= before + 5);
    QCOMPARE(rig.state.timeset, 2.0);
    QVERIFY(rig.Timer1.isActive());
}

void TestRunTimer::menuCommandsDriveTheRunThroughTheWindow()
{
    PtyPair pty;
    FakeDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    dialogs.answer(pty.device());
    for (QAction* action : window.menuBar()->actions())
        if (action->objectName() == QLatin1String("Communication"))
            action->trigger();
    auto* Timer1 = window.findChild<QTimer*>(QStringLiteral("Timer1"));
    QList<QLabel*> clock;
    for (const char* name : {"lhour", "lmin", "lsed", "Label1", "Label2", "Label3"})
        clock << window.findChild<QLabel*>(QString::fromLatin1(name));

    dialogs.answer(QStringLiteral("0.05"));
    item(window, "stset")->trigger();
    QCOMPARE(dialogs.prompts.last().title, QStringLiteral("时间设定"));
    item(window, "ststart")->trigger();
    Commands commands{pty, {}};
    QTRY_COMPARE(commands.sent(), frames::kRun);
    QVERIFY(Timer1->isActive());
    for (QLabel* label : clock)
        QVERIFY(label->isVisible());

    // Timer1's own ticks: three seconds make 0.05 minutes.
    QTRY_COMPARE_WITH_TIMEOUT(clock[2]->text(), QStringLiteral("1"), 3000);
    item(window, "stzanting")->trigger();
    item(window, "stcontiune")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!Timer1->isActive(), 5000);
    QCOMPARE(clock[2]->text(), QStringLiteral("3"));
    QTRY_COMPARE(commands.sent(), frames::kRun + frames::kStop + frames::kRun + frames::kStop);

    item(window, "stend")->trigger();
    QTRY_COMPARE(commands.sent(), frames::kRun + frames::kStop + frames::kRun + frames::kStop + frames::kStop);
    for (QLabel* label : clock)
        QVERIFY(label->isHidden());
    QVERIFY(dialogs.messages.isEmpty());
}

QTEST_MAIN(TestRunTimer)
#include "test_run_timer.moc"
