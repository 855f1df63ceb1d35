#include "link/frames.h"
#include "panel/keypad.h"
#include "panel/main_window.h"
#include "panel/panel_state.h"
#include "panel/run_stop.h"
#include "panel/setpoint_prompts.h"
#include "support/fake_dialogs.h"
#include "support/pty_pair.h"
#include "support/recording_sink.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>
#include <QtTest>

#include <algorithm>

namespace {

const QString kNotOpen = QStringLiteral("串口未打开，命令未发送/通信错误");

QStringList shown(const QList<FakeDialogs::Shown>& messages)
{
    QStringList texts;
    for (const FakeDialogs::Shown& message : messages)
        texts << message.text + QLatin1Char('/') + message.title;
    return texts;
}

// The keypad with plain labels as the window starts them.
struct KeypadRig {
    PanelState state;
    QLabel LsetF{QStringLiteral("00.0")};
    QLabel LsetP{QStringLiteral("02.0")};
    QLabel LSetState;
    RecordingSink sink;
    FakeDialogs dialogs;
    Keypad keypad{state, LsetF, LsetP, LSetState, sink, dialogs};

    void press(QChar key)
    {
        if (key == QLatin1Char('L'))
            keypad.keyL();
        else if (key == QLatin1Char('P'))
            keypad.keyP();
        else
            keypad.digit(key.toLatin1());
    }
    // "LsetF|LsetP|LSetState|lq pr|frames sent so far"
    QString snapshot() const
    {
        return QStringList{LsetF.text(), LsetP.text(), LSetState.text(),
                           QStringLiteral("%1 %2").arg(state.lq).arg(state.pr),
                           QString::fromLatin1(sink.frames.join(','))}
            .join(QLatin1Char('|'));
    }
};

// The real window on one end of a pseudo-terminal, with the poll stopped so that only the
// operator's frames reach the line.
struct PtyWindow {
    PtyPair pty;
    FakeDialogs dialogs;
    MainWindow window{&dialogs};

    bool openPort()
    {
        dialogs.answer(pty.device());
        for (QAction* action : window.menuBar()->actions())
            if (action->objectName() == QLatin1String("Communication"))
                action->trigger();
        window.findChild<QTimer*>(QStringLiteral("Timer2"))->stop();
        pty.readAvailable();
        return dialogs.messages.isEmpty();
    }
    // "Cmd5" clicks a key, "Cmd0/1" a member of the 0 key's group, "liquid=12.34" answers the
    // item's prompt, any other name chooses a menu or popup item.
    void step(const QString& step)
    {
        const QStringList nameAndAnswer = step.split(QLatin1Char('='));
        if (nameAndAnswer.size() == 2)
            dialogs.answer(nameAndAnswer[1]);
        const QString name = nameAndAnswer[0];
        if (name.startsWith(QLatin1String("Cmd"))) {
            const QStringList keyAndMember = name.split(QLatin1Char('/'));
            for (QAbstractButton* key : window.findChildren<QAbstractButton*>(keyAndMember[0]))
                if (keyAndMember.size() == 1 || key->property("index").toString() == keyAndMember[1])
                    key->click();
        } else {
            window.findChild<QAction*>(name)->trigger();
        }
    }
    QString caption(const char* name) const
    {
        return window.findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
};

} // namespace

class TestOperatorCommands : public QObject {
    Q_OBJECT
private slots:
    void keypadFollowsItsStateTable_data();
    void keypadFollowsItsStateTable();
    void promptsAskWithTheirTextsAndDefaults_data();
    void promptsAskWithTheirTextsAndDefaults();
    void promptAnswers_data();
    void promptAnswers();
    void everyFrameIsNineCharacters();
    void runAndStopSetLstateOnlyFromTheKeys_data();
    void runAndStopSetLstateOnlyFromTheKeys();
    void windowKeysAndItemsReachTheLine_data();
    void windowKeysAndItemsReachTheLine();
    void windowWithoutAPortTellsAndChangesNothing();
};

void TestOperatorCommands::keypadFollowsItsStateTable_data()
{
    QTest::addColumn<qint16>("pump");
    QTest::addColumn<bool>("lineOpen");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("afterEachKey");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("flow 12.5, the point by itself") << qint16(0) << true << "L125"
        << QStringList{"|02.0|Lset|1 0|", "1|02.0|Lset|1 0|", "12.|02.0|Lset|1 0|", "12.5|02.0||0 0|Q00L12.5Y"}
        << QStringList{};
    QTest::newRow("flow at its limit") << qint16(0) << true << "L500"
        << QStringList{"|02.0|Lset|1 0|", "5|02.0|Lset|1 0|", "50.|02.0|Lset|1 0|", "50.0|02.0||0 0|Q00L50.0Y"}
        << QStringList{};
    QTest::newRow("flow above its limit: refused, idle, L starts over") << qint16(0) << true << "L5017L"
        << QStringList{"|02.0|Lset|1 0|", "5|02.0|Lset|1 0|", "50.|02.0|Lset|1 0|", "50.1|02.0|Lset|0 0|",
                       "50.1|02.0|Lset|0 0|", "|02.0|Lset|1 0|"}
        << QStringList{"流量设定错误/设定错误"};
    QTest::newRow("pressure at its limit") << qint16(0) << true << "P020"
        << QStringList{"00.0||Pset|0 1|", "00.0|0|Pset|0 1|", "00.0|02.|Pset|0 1|", "00.0|02.0||0 0|Q00P02.0Y"}
        << QStringList{};
    QTest::newRow("pressure above its limit") << qint16(0) << true << "P021"
        << QStringList{"00.0||Pset|0 1|", "00.0|0|Pset|0 1|", "00.0|02.|Pset|0 1|", "00.0|02.1|Pset|0 0|"}
        << QStringList{"压力设定错误/设定错误"};
    QTest::newRow("zero pressure is sent") << qint16(0) << true << "P000"
        << QStringList{"00.0||Pset|0 1|", "00.0|0|Pset|0 1|", "00.0|00.|Pset|0 1|", "00.0|00.0||0 0|Q00P00.0Y"}
        << QStringList{};
    QTest::newRow("flow to the selected pump 3") << qint16(3) << true << "L125"
        << QStringList{"|02.0|Lset|1 0|", "1|02.0|Lset|1 0|", "12.|02.0|Lset|1 0|", "12.5|02.0||0 0|Q03L12.5Y"}
        << QStringList{};
    QTest::newRow("pressure to the selected pump 12") << qint16(12) << true << "P015"
        << QStringList{"00.0||Pset|0 1|", "00.0|0|Pset|0 1|", "00.0|01.|Pset|0 1|", "00.0|01.5||0 0|Q12P01.5Y"}
        << QStringList{};
    QTest::newRow("digits while idle") << qint16(0) << true << "57"
        << QStringList{"00.0|02.0||0 0|", "00.0|02.0||0 0|"} << QStringList{};
    QTest::newRow("L and P during a flow entry") << qint16(0) << true << "L1LP25"
        << QStringList{"|02.0|Lset|1 0|", "1|02.0|Lset|1 0|", "1|02.0|Lset|1 0|", "1|02.0|Lset|1 0|",
                       "12.|02.0|Lset|1 0|", "12.5|02.0||0 0|Q00L12.5Y"}
        << QStringList{};
    QTest::newRow("L and P during a pressure entry") << qint16(0) << true << "P0LP15"
        << QStringList{"00.0||Pset|0 1|", "00.0|0|Pset|0 1|", "00.0|0|Pset|0 1|", "00.0|0|Pset|0 1|",
                       "00.0|01.|Pset|0 1|", "00.0|01.5||0 0|Q00P01.5Y"}
        << QStringList{};
    QTest::newRow("one frame per entry") << qint16(0) << true << "L125P015"
        << QStringList{"|02.0|Lset|1 0|", "1|02.0|Lset|1 0|", "12.|02.0|Lset|1 0|", "12.5|02.0||0 0|Q00L12.5Y",
                       "12.5||Pset|0 1|Q00L12.5Y", "12.5|0|Pset|0 1|Q00L12.5Y", "12.5|01.|Pset|0 1|Q00L12.5Y",
                       "12.5|01.5||0 0|Q00L12.5Y,Q00P01.5Y"}
        << QStringList{};
    // The writer has told the operator; the mode stays shown so the entry does not look taken.
    QTest::newRow("line not open: idle with the mode still shown") << qint16(0) << false << "L1257"
        << QStringList{"|02.0|Lset|1 0|", "1|02.0|Lset|1 0|", "12.|02.0|Lset|1 0|", "12.5|02.0|Lset|0 0|",
                       "12.5|02.0|Lset|0 0|"}
        << QStringList{};
}

void TestOperatorCommands::keypadFollowsItsStateTable()
{
    QFETCH(qint16, pump);
    QFETCH(bool, lineOpen);
    QFETCH(QString, keys);
    QFETCH(QStringList, afterEachKey);
    QFETCH(QStringList, messages);
    KeypadRig rig;
    rig.state.Set_Pump_NO = pump;
    rig.sink.open = lineOpen;

    QCOMPARE(keys.size(), afterEachKey.size());
    for (qsizetype i = 0; i < keys.size(); ++i) {
        rig.press(keys[i]);
        QCOMPARE(rig.snapshot(), afterEachKey[i]);
    }
    QCOMPARE(shown(rig.dialogs.messages), messages);
}

void TestOperatorCommands::promptsAskWithTheirTextsAndDefaults_data()
{
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("defaultAnswer");

    QTest::newRow("flow") << "flow" << "请输入您需要的流量 单位 ml/min \r\n流量范围为0.1—50.0ml/min"
                          << "流量设定" << "0";
    QTest::newRow("pressure") << "pressure" << "请输入您需要保护压 单位 MPa\r\n压力设定范围为0—2.0MPa"
                              << "压力设定" << "2";
    QTest::newRow("pump number") << "pump" << "请输入要控制泵的编号 " << "编号设定" << "0";
}

void TestOperatorCommands::promptsAskWithTheirTextsAndDefaults()
{
    QFETCH(QString, prompt);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(QString, defaultAnswer);
    PanelState state;
    RecordingSink sink;
    FakeDialogs dialogs;
    SetpointPrompts prompts(state, sink, dialogs);

    dialogs.answer(std::nullopt);
    if (prompt == QLatin1String("flow"))
        prompts.flow();
    else if (prompt == QLatin1String("pressure"))
        prompts.pressure();
    else
        prompts.pumpNumber();

    QCOMPARE(dialogs.prompts.size(), 1);
    QCOMPARE(dialogs.prompts[0].text, text);
    QCOMPARE(dialogs.prompts[0].title, title);
    QCOMPARE(dialogs.prompts[0].defaultAnswer, defaultAnswer);
}

void TestOperatorCommands::promptAnswers_data()
{
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QString>("message");
    QTest::addColumn<double>("setliq");
    QTest::addColumn<double>("setpresure");
    QTest::addColumn<qint16>("pump");

    // Before each row: setliq 7, setpresure 1, pump 5 selected.
    const std::optional<QString> cancel;
    const QString flowRefused = QStringLiteral("流量设定错误!/错误");
    const QString pressureRefused = QStringLiteral("压力设定错误!/错误");
    const QString pumpRefused = QStringLiteral("泵编号设定错误!/错误");
    const auto row = [](const char* name, const char* prompt, std::optional<QString> answer) -> QTestData& {
        return QTest::newRow(name) << QString::fromLatin1(prompt) << answer;
    };

    row("flow 12.34 rounds down", "flow", "12.34") << QByteArray("Q00L12.3Y") << QString() << 12.34 << 1.0 << qint16(5);
    row("flow 49.96 rounds up to the limit", "flow", "49.96") << QByteArray("Q00L50.0Y") << QString() << 49.96 << 1.0 << qint16(5);
    row("flow at the limit", "flow", "50") << QByteArray("Q00L50.0Y") << QString() << 50.0 << 1.0 << qint16(5);
    row("flow zero", "flow", "0") << QByteArray("Q00L00.0Y") << QString() << 0.0 << 1.0 << qint16(5);
    row("flow minus zero is zero", "flow", "-0") << QByteArray("Q00L00.0Y") << QString() << 0.0 << 1.0 << qint16(5);
    row("flow with blanks around", "flow", " 5 ") << QByteArray("Q00L05.0Y") << QString() << 5.0 << 1.0 << qint16(5);
    row("flow above the limit is stored, not sent", "flow", "50.01") << QByteArray() << flowRefused << 50.01 << 1.0 << qint16(5);
    row("negative flow is stored, not sent", "flow", "-5") << QByteArray() << flowRefused << -5.0 << 1.0 << qint16(5);
    row("flow not a number", "flow", "abc") << QByteArray() << flowRefused << 7.0 << 1.0 << qint16(5);
    row("flow with a decimal comma", "flow", "12,5") << QByteArray() << flowRefused << 7.0 << 1.0 << qint16(5);
    row("flow beyond a double", "flow", "1e400") << QByteArray() << flowRefused << 7.0 << 1.0 << qint16(5);
    row("flow empty", "flow", "") << QByteArray() << QString() << 7.0 << 1.0 << qint16(5);
    row("flow cancelled", "flow", cancel) << QByteArray() << QString() << 7.0 << 1.0 << qint16(5);
    row("pressure default", "pressure", "2") << QByteArray("Q00P02.0Y") << QString() << 7.0 << 2.0 << qint16(5);
    row("pressure 0.05 rounds up", "pressure", "0.05") << QByteArray("Q00P00.1Y") << QString() << 7.0 << 0.05 << qint16(5);
    row("pressure above the limit", "pressure", "2.5") << QByteArray() << pressureRefused << 7.0 << 2.5 << qint16(5);
    row("negative pressure", "pressure", "-0.01") << QByteArray() << pressureRefused << 7.0 << -0.01 << qint16(5);
    row("pressure not a number", "pressure", "abc") << QByteArray() << pressureRefused << 7.0 << 1.0 << qint16(5);
    row("pressure empty", "pressure", "") << QByteArray() << QString() << 7.0 << 1.0 << qint16(5);
    row("pressure cancelled", "pressure", cancel) << QByteArray() << QString() << 7.0 << 1.0 << qint16(5);
    row("pump 3", "pump", "3") << QByteArray() << QString() << 7.0 << 1.0 << qint16(3);
    row("pump 2.5 rounds to even", "pump", "2.5") << QByteArray() << QString() << 7.0 << 1.0 << qint16(2);
    row("pump 1.5 rounds to even", "pump", "1.5") << QByteArray() << QString() << 7.0 << 1.0 << qint16(2);
    row("pump 0", "pump", "0") << QByteArray() << QString() << 7.0 << 1.0 << qint16(0);
    row("pump -0.5 rounds to 0", "pump", "-0.5") << QByteArray() << QString() << 7.0 << 1.0 << qint16(0);
    row("pump 99", "pump", "99") << QByteArray() << QString() << 7.0 << 1.0 << qint16(99);
    row("pump 99.5 rounds to 100", "pump", "99.5") << QByteArray() << pumpRefused << 7.0 << 1.0 << qint16(5);
    row("pump 100", "pump", "100") << QByteArray() << pumpRefused << 7.0 << 1.0 << qint16(5);
    row("pump -1", "pump", "-1") << QByteArray() << pumpRefused << 7.0 << 1.0 << qint16(5);
    row("pump 40000", "pump", "40000") << QByteArray() << pumpRefused << 7.0 << 1.0 << qint16(5);
    row("pump not a number", "pump", "abc") << QByteArray() << pumpRefused << 7.0 << 1.0 << qint16(5);
    row("pump empty", "pump", "") << QByteArray() << QString() << 7.0 << 1.0 << qint16(5);
    row("pump cancelled", "pump", cancel) << QByteArray() << QString() << 7.0 << 1.0 << qint16(5);
}

void TestOperatorCommands::promptAnswers()
{
    QFETCH(QString, prompt);
    QFETCH(std::optional<QString>, answer);
    QFETCH(QByteArray, frame);
    QFETCH(QString, message);
    QFETCH(double, setliq);
    QFETCH(double, setpresure);
    QFETCH(qint16, pump);
    PanelState state;
    state.setliq = 7.0;
    state.setpresure = 1.0;
    state.Set_Pump_NO = 5;
    // An open keypad entry is none of the prompts' business.
    state.lq = 1;
    RecordingSink sink;
    FakeDialogs dialogs;
    SetpointPrompts prompts(state, sink, dialogs);

    dialogs.answer(answer);
    if (prompt == QLatin1String("flow"))
        prompts.flow();
    else if (prompt == QLatin1String("pressure"))
        prompts.pressure();
    else
        prompts.pumpNumber();

    QCOMPARE(sink.frames, frame.isEmpty() ? QByteArrayList{} : QByteArrayList{frame});
    QCOMPARE(shown(dialogs.messages), message.isEmpty() ? QStringList{} : QStringList{message});
    QCOMPARE(state.setliq, setliq);
    QCOMPARE(state.setpresure, setpresure);
    QCOMPARE(state.Set_Pump_NO, pump);
    QCOMPARE(state.lq, qint16(1));
    QCOMPARE(state.pr, qint16(0));
}

void TestOperatorCommands::everyFrameIsNineCharacters()
{
    // Every pump number answer followed by keyed extremes, and every flow and pressure answer
    // near the limits, zero and beyond: what goes out is always a whole frame.
    KeypadRig rig;
    SetpointPrompts prompts(rig.state, rig.sink, rig.dialogs);
    QLabel Lstate;
    RunStop runStop(Lstate, rig.sink);
    const QStringList pumps{"-0.5", "0", "98.5", "99", "99.49", "99.5", "100", "-1", "32767", "-32768", "40000"};
    for (const QString& pump : pumps) {
        rig.dialogs.answer(pump);
        prompts.pumpNumber();
        for (const QChar key : QStringLiteral("L000L500L999P000P020P999"))
            rig.press(key);
    }
    const QStringList values{"0", "-0", "-0.04", "0.04", "1e-300", "1.96", "2", "2.04", "2.05", "49.94", "49.95",
                             "50", "50.04", "50.05", "99.95", "100", "1e308", "-1e308", "-5", "-99.95"};
    for (const QString& value : values) {
        rig.dialogs.answer(value);
        prompts.flow();
        rig.dialogs.answer(value);
        prompts.pressure();
    }
    runStop.run();
    runStop.stopKey();

    // Each pump answer's four keyed entries within range (a refused number keeps the last
    // pump), the flows and pressures from zero to their limits, run and stop.
    QCOMPARE(rig.sink.frames.size(), 11 * 4 + 11 + 6 + 2);
    for (const QByteArray& frame : std::as_const(rig.sink.frames)) {
        QVERIFY2(frames::isFrame(frame), frame.constData());
        QVERIFY2(std::all_of(frame.begin() + 1, frame.begin() + 3, [](char c) { return c >= '0' && c <= '9'; }),
                 frame.constData());
    }
}

void TestOperatorCommands::runAndStopSetLstateOnlyFromTheKeys_data()
{
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<bool>("lineOpen");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QByteArrayList>("frames");
    QTest::addColumn<QString>("after");

    const QString run = QStringLiteral("     RUN ");
    const QString stop = QStringLiteral("     STOP");
    QTest::newRow("run item") << QStringList{"run"} << true << stop << QByteArrayList{frames::kRun} << stop;
    QTest::newRow("stop item") << QStringList{"stop"} << true << run << QByteArrayList{frames::kStop} << run;
    QTest::newRow("RUN key") << QStringList{"runKey"} << true << stop << QByteArrayList{frames::kRun} << run;
    QTest::newRow("STOP key") << QStringList{"stopKey"} << true << run << QByteArrayList{frames::kStop} << stop;
    QTest::newRow("RUN twice sends twice") << QStringList{"runKey", "runKey"} << true << stop
                                           << QByteArrayList{frames::kRun, frames::kRun} << run;
    QTest::newRow("item after a key") << QStringList{"runKey", "stop"} << true << stop
                                      << QByteArrayList{frames::kRun, frames::kStop} << run;
    QTest::newRow("RUN key, line not open") << QStringList{"runKey"} << false << stop << QByteArrayList{} << stop;
    QTest::newRow("STOP key, line not open") << QStringList{"stopKey"} << false << run << QByteArrayList{} << run;
}

void TestOperatorCommands::runAndStopSetLstateOnlyFromTheKeys()
{
    QFETCH(QStringList, commands);
    QFETCH(bool, lineOpen);
    QFETCH(QString, before);
    QFETCH(QByteArrayList, frames);
    QFETCH(QString, after);
    QLabel Lstate(before);
    RecordingSink sink;
    sink.open = lineOpen;
    RunStop runStop(Lstate, sink);

    for (const QString& command : commands) {
        if (command == QLatin1String("run"))
            runStop.run();
        else if (command == QLatin1String("stop"))
            runStop.stop();
        else if (command == QLatin1String("runKey"))
            runStop.runKey();
        else
            runStop.stopKey();
    }
    QCOMPARE(sink.frames, frames);
    QCOMPARE(Lstate.text(), after);
}

void TestOperatorCommands::windowKeysAndItemsReachTheLine_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("Lstate");
    QTest::addColumn<QString>("LsetF");
    QTest::addColumn<QString>("LsetP");

    const QString run = QStringLiteral("     RUN ");
    const QString stop = QStringLiteral("     STOP");
    QTest::newRow("Pump menu run") << QStringList{"run"} << QByteArray("Q00R0000Y") << stop << "00.0" << "02.0";
    QTest::newRow("popup run and stop") << QStringList{"rrun", "rstop"} << QByteArray("Q00R0000YQ00S0000Y") << stop
                                        << "00.0" << "02.0";
    QTest::newRow("RUN key, then the menu's stop")
        << QStringList{"Cmdr", "stop"} << QByteArray("Q00R0000YQ00S0000Y") << run << "00.0" << "02.0";
    QTest::newRow("RUN then STOP keys")
        << QStringList{"Cmdr", "Cmds"} << QByteArray("Q00R0000YQ00S0000Y") << stop << "00.0" << "02.0";
    QTest::newRow("triangles enter 0, to the selected pump")
        << QStringList{"Pump_NO=3", "Cmdl", "Cmd0/0", "Cmd0/1", "Cmd5"} << QByteArray("Q03L00.5Y") << stop << "00.5"
        << "02.0";
    QTest::newRow("0 key and P") << QStringList{"Cmdp", "Cmd0/13", "Cmd1", "Cmd0/13"} << QByteArray("Q00P01.0Y")
                                 << stop << "00.0" << "01.0";
    QTest::newRow("digit keys 1 to 6")
        << QStringList{"Cmdl", "Cmd1", "Cmd2", "Cmd3", "Cmdl", "Cmd4", "Cmd5", "Cmd6"}
        << QByteArray("Q00L12.3YQ00L45.6Y") << stop << "45.6" << "02.0";
    QTest::newRow("digit keys 7 to 9, refused") << QStringList{"Cmdp", "Cmd7", "Cmd8", "Cmd9"} << QByteArray()
                                                << stop << "00.0" << "78.9";
    QTest::newRow("prompted flow and pressure ignore the selected pump")
        << QStringList{"Pump_NO=3", "liquid=12.34", "pressure=2"} << QByteArray("Q00L12.3YQ00P02.0Y") << stop
        << "00.0" << "02.0";
}

void TestOperatorCommands::windowKeysAndItemsReachTheLine()
{
    QFETCH(QStringList, steps);
    QFETCH(QByteArray, line);
    QFETCH(QString, Lstate);
    QFETCH(QString, LsetF);
    QFETCH(QString, LsetP);
    PtyWindow rig;
    QVERIFY(rig.openPort());

    for (const QString& step : steps)
        rig.step(step);
    QByteArray written = rig.pty.readAtLeast(line.size(), 3000);
    // Long enough for a stray extra frame to show.
    QTest::qWait(100);
    written += rig.pty.readAvailable();
    QCOMPARE(written, line);
    QCOMPARE(rig.caption("Lstate"), Lstate);
    QCOMPARE(rig.caption("LsetF"), LsetF);
    QCOMPARE(rig.caption("LsetP"), LsetP);
}

void TestOperatorCommands::windowWithoutAPortTellsAndChangesNothing()
{
    PtyWindow rig;

    rig.step(QStringLiteral("Cmdr"));
    QCOMPARE(shown(rig.dialogs.messages), QStringList{kNotOpen});
    QCOMPARE(rig.caption("Lstate"), QStringLiteral("     STOP"));

    for (const char* key : {"Cmdl", "Cmd1", "Cmd2", "Cmd5"})
        rig.step(QString::fromLatin1(key));
    QCOMPARE(shown(rig.dialogs.messages), (QStringList{kNotOpen, kNotOpen}));
    QCOMPARE(rig.caption("LsetF"), QStringLiteral("12.5"));
    QCOMPARE(rig.caption("LSetState"), QStringLiteral("Lset"));
    // Idle again: a digit changes nothing, P opens a new entry.
    rig.step(QStringLiteral("Cmd3"));
    QCOMPARE(rig.caption("LsetF"), QStringLiteral("12.5"));
    rig.step(QStringLiteral("Cmdp"));
    QCOMPARE(rig.caption("LSetState"), QStringLiteral("Pset"));
    QCOMPARE(rig.dialogs.messages.size(), 2);
}

QTEST_MAIN(TestOperatorCommands)
#include "test_operator_commands.moc"
