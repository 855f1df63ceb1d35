// The operator's commands through the real window to the simulated pump and back.

#include "link/frames.h"
#include "platform/serial_port.h"
#include "platform/text_rules.h"
#include "support/window_rig.h"

#include <QAbstractButton>
#include <QtTest>

namespace {

void press(WindowRig& rig, std::initializer_list<const char*> keys)
{
    for (const char* key : keys)
        rig.window.findChildren<QAbstractButton*>(QString::fromLatin1(key)).first()->click();
}

// What the pump took or answered, without the polls and their pressure replies.
QByteArrayList setpointsAndCommands(const QByteArrayList& frames)
{
    QByteArrayList kept;
    for (const QByteArray& frame : frames)
        if (frame != frames::kPoll && frame[3] != 'N')
            kept << frame;
    return kept;
}

double pressure(WindowRig& rig)
{
    return textrules::toNumber(rig.label("LcurrP").text()).value_or(-1.0);
}

} // namespace

class E2eOperatorCommands : public QObject {
    Q_OBJECT
private slots:
    void keyedAndPromptedSetpointsReachThePump();
    void runRaisesThePressureAndStopLowersIt();
};

void E2eOperatorCommands::keyedAndPromptedSetpointsReachThePump()
{
    WindowRig rig;
    QVERIFY(rig.connect({"--address", "3"}));
    QByteArray arrived;
    QObject::connect(&rig.line(), &SerialPort::received, [&](const QByteArray& bytes) { arrived += bytes; });

    rig.dialogs.answer(QStringLiteral("3"));
    rig.choose("Pump_NO");
    press(rig, {"Cmdp", "Cmd0", "Cmd1", "Cmd5"});
    QTRY_COMPARE_WITH_TIMEOUT(rig.label("LsetP").text(), QStringLiteral("01.5"), 5000);

    // A prompted flow goes to pump 00, which every pump obeys; its reply shows on LsetF.
    rig.dialogs.answer(QStringLiteral("30"));
    rig.choose("liquid");
    QTRY_COMPARE_WITH_TIMEOUT(rig.label("LsetF").text(), QStringLiteral("30.0"), 5000);

    // While a flow entry is open its label is the operator's: the next set-flow reply is not shown,
    // a set-pressure reply is, and the entry goes on where it was.
    press(rig, {"Cmdl", "Cmd1"});
    rig.dialogs.answer(QStringLiteral("40"));
    rig.choose("liquid");
    rig.dialogs.answer(QStringLiteral("1.8"));
    rig.choose("pressure");
    QTRY_COMPARE_WITH_TIMEOUT(rig.label("LsetP").text(), QStringLiteral("01.8"), 5000);
    QVERIFY(arrived.contains("Q03L40.0Y"));
    QCOMPARE(rig.label("LsetF").text(), QStringLiteral("1"));
    press(rig, {"Cmd2", "Cmd5"});
    QCOMPARE(rig.label("LSetState").text(), QString());
    QTRY_VERIFY_WITH_TIMEOUT(arrived.contains("Q03L12.5Y"), 5000);
    QCOMPARE(rig.label("LsetF").text(), QStringLiteral("12.5"));

    const QByteArrayList sent{"Q03P01.5Y", "Q00L30.0Y", "Q00L40.0Y", "Q00P01.8Y", "Q03L12.5Y"};
    QCOMPARE(setpointsAndCommands(rig.logged('<')), sent);
    const QByteArrayList replies{"Q03P01.5Y", "Q03L30.0Y", "Q03L40.0Y", "Q03P01.8Y", "Q03L12.5Y"};
    QCOMPARE(setpointsAndCommands(rig.logged('>')), replies);
    QVERIFY(rig.dialogs.messages.isEmpty());
}

void E2eOperatorCommands::runRaisesThePressureAndStopLowersIt()
{
    WindowRig rig;
    QVERIFY(rig.connect({}));
    // 40 ml/min settles near 1.6 MPa, under the pump's 2 MPa limit.
    press(rig, {"Cmdl", "Cmd4", "Cmd0", "Cmd0"});
    QTRY_COMPARE_WITH_TIMEOUT(rig.label("LsetF").text(), QStringLiteral("40.0"), 5000);
    QCOMPARE(pressure(rig), 0.0);

    press(rig, {"Cmdr"});
    QCOMPARE(rig.label("Lstate").text(), QStringLiteral("     RUN "));
    QTRY_VERIFY_WITH_TIMEOUT(pressure(rig) >= 0.8, 20000);

    press(rig, {"Cmds"});
    QCOMPARE(rig.label("Lstate").text(), QStringLiteral("     STOP"));
    QTRY_VERIFY_WITH_TIMEOUT(pressure(rig) <= 0.3, 20000);

    QCOMPARE(setpointsAndCommands(rig.logged('<')), (QByteArrayList{"Q00L40.0Y", frames::kRun, frames::kStop}));
    QVERIFY(rig.dialogs.messages.isEmpty());
}

QTEST_MAIN(E2eOperatorCommands)
#include "e2e_operator_commands.moc"
