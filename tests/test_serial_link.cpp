#include "link/command_writer.h"
#include "link/frames.h"
#include "link/link_health.h"
#include "link/port_connection.h"
#include "platform/serial_port.h"
#include "support/fake_dialogs.h"
#include "support/pty_pair.h"

#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

// The port command's room: the line, the dialogs, the menus it switches on and the poll timer.
struct Fixture {
    SerialPort port;
    FakeDialogs dialogs;
    QLabel LcurrP, LsetP, LsetF;
    LinkHealth health{LcurrP, LsetP, LsetF};
    QMenu file, settime;
    QTimer Timer2;
    PortConnection connection{port, dialogs, health, {&file, &settime}, Timer2};

    Fixture()
    {
        for (QMenu* menu : {&file, &settime}) {
            menu->setEnabled(false);
            menu->menuAction()->setEnabled(false);
        }
        Timer2.setInterval(1500);
    }
    bool polling() const
    {
        return file.isEnabled() && settime.menuAction()->isEnabled() && Timer2.isActive();
    }
    void open(const QString& answer)
    {
        dialogs.answer(answer);
        connection.portCommand();
    }
};

} // namespace

class TestSerialLink : public QObject {
    Q_OBJECT
private slots:
    void portCommandOpensTheLineAt9600_8N1();
    void portNumbersMapToDevices_data();
    void portNumbersMapToDevices();
    void answersThatOpenNothing_data();
    void answersThatOpenNothing();
    void deviceHeldByAnotherProgramIsRefused();
    void failedSecondPortCommandKeepsTheOpenLine();
    void secondPortCommandMovesToTheNewLine();
    void pollAndRepliesCrossTheLine();
    void lostLineIsToldOnceAndStopsWrites();
    void commandWithoutOpenPortIsRefusedAndTold();
    void lostLineIsReopenedByThePollWhenItIsBack();
    void valuesGoStaleAfterThreeUnansweredPolls();
};

void TestSerialLink::portCommandOpensTheLineAt9600_8N1()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    Fixture f;
    f.open(pty.device());

    QCOMPARE(f.dialogs.prompts.size(), 1);
    QCOMPARE(f.dialogs.prompts[0].text, QStringLiteral("Input communication port"));
    QCOMPARE(f.dialogs.prompts[0].title, QStringLiteral("Commport"));
    QCOMPARE(f.dialogs.prompts[0].defaultAnswer, QStringLiteral("1"));
    QVERIFY(f.dialogs.messages.isEmpty());
    QVERIFY(f.port.isOpen());
    QVERIFY(f.polling());
    const PtyPair::Line line = pty.line();
    QCOMPARE(line.baud, 9600);
    QCOMPARE(line.dataBits, 8);
    QCOMPARE(line.parity, false);
    QCOMPARE(line.stopBits, 1);
}

void TestSerialLink::portNumbersMapToDevices_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QByteArray>("variable");
    QTest::newRow("default 1") << "1" << QByteArray("DURAVEL_COM1");
    QTest::newRow("1.5 is port 2") << "1.5" << QByteArray("DURAVEL_COM2");
    QTest::newRow("2.5 is port 2") << "2.5" << QByteArray("DURAVEL_COM2");
    QTest::newRow("blanks around") << " 7 " << QByteArray("DURAVEL_COM7");
}

void TestSerialLink::portNumbersMapToDevices()
{
    QFETCH(QString, answer);
    QFETCH(QByteArray, variable);
    PtyPair pty;
    qputenv(variable.constData(), pty.device().toLocal8Bit());
    Fixture f;
    f.open(answer);
    qunsetenv(variable.constData());

    QVERIFY(f.dialogs.messages.isEmpty());
    QCOMPARE(f.port.device(), pty.device());
    QVERIFY(f.polling());
}

void TestSerialLink::answersThatOpenNothing_data()
{
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<QString>("message"); // its start; empty when nothing is shown
    QTest::newRow("Cancel") << std::optional<QString>() << QString();
    QTest::newRow("empty") << std::optional<QString>("") << QString();
    QTest::newRow("blanks") << std::optional<QString>("  ") << QString();
    QTest::newRow("not a number") << std::optional<QString>("abc") << "端口号无效：abc";
    QTest::newRow("decimal comma") << std::optional<QString>("1,5") << "端口号无效：1,5";
    QTest::newRow("beyond 16 bits") << std::optional<QString>("40000") << "无法打开串口 40000：端口号超出范围";
    QTest::newRow("zero") << std::optional<QString>("0") << "无法打开串口 0：端口号超出范围";
    QTest::newRow("no such device")
        << std::optional<QString>("/dev/ttyNoSuchDevice") << "无法打开串口 /dev/ttyNoSuchDevice：设备不存在";
    QTest::newRow("bare name looked up under /dev")
        << std::optional<QString>("ttyNoSuchDevice") << "无法打开串口 /dev/ttyNoSuchDevice：设备不存在";
    QTest::newRow("not a serial device")
        << std::optional<QString>("/dev/null") << "无法打开串口 /dev/null：";
}

void TestSerialLink::answersThatOpenNothing()
{
    QFETCH(std::optional<QString>, answer);
    QFETCH(QString, message);
    Fixture f;
    f.dialogs.answer(answer);
    f.connection.portCommand();

    QVERIFY(!f.port.isOpen());
    QVERIFY(!f.file.isEnabled());
    QVERIFY(!f.file.menuAction()->isEnabled());
    QVERIFY(!f.Timer2.isActive());
    if (message.isEmpty()) {
        QVERIFY(f.dialogs.messages.isEmpty());
        return;
    }
    QCOMPARE(f.dialogs.messages.size(), 1);
    QVERIFY2(f.dialogs.messages[0].text.startsWith(message), qPrintable(f.dialogs.messages[0].text));
    QCOMPARE(f.dialogs.messages[0].title, QStringLiteral("通信错误"));
    if (message.startsWith(QStringLiteral("无法打开串口"))) {
        const QString ports = f.dialogs.messages[0].text.section(QLatin1Char('\n'), 1);
        QVERIFY2(ports.startsWith(QStringLiteral("可用串口：")) || ports == QStringLiteral("未找到串口"),
                 qPrintable(ports));
    }
}

void TestSerialLink::deviceHeldByAnotherProgramIsRefused()
{
    PtyPair pty;
    SerialPort holder;
    QVERIFY(holder.open(pty.device(), *LineSettings::parse(QStringLiteral("9600,n,8,1"))));
    Fixture f;
    f.open(pty.device());

    QVERIFY(!f.port.isOpen());
    QCOMPARE(f.dialogs.messages.size(), 1);
    QVERIFY2(f.dialogs.messages[0].text.contains(QStringLiteral("占用")), qPrintable(f.dialogs.messages[0].text));
}

void TestSerialLink::failedSecondPortCommandKeepsTheOpenLine()
{
    PtyPair pty;
    Fixture f;
    f.open(pty.device());
    f.open(QStringLiteral("/dev/ttyNoSuchDevice"));

    QCOMPARE(f.dialogs.messages.size(), 1);
    QCOMPARE(f.port.device(), pty.device());
    QVERIFY(f.polling());
    f.connection.pollTick();
    QCOMPARE(pty.readAtLeast(9, 2000), frames::kPoll);
}

void TestSerialLink::secondPortCommandMovesToTheNewLine()
{
    PtyPair first, second;
    Fixture f;
    f.open(first.device());
    f.open(second.device());
    QVERIFY(f.dialogs.messages.isEmpty());

    f.connection.pollTick();
    QCOMPARE(second.readAtLeast(9, 2000), frames::kPoll);
    QVERIFY(first.readAvailable().isEmpty());
    // The same device again reopens it rather than tripping over its own lock.
    f.open(second.device());
    QVERIFY(f.dialogs.messages.isEmpty());
    QVERIFY(f.port.isOpen());
}

void TestSerialLink::pollAndRepliesCrossTheLine()
{
    PtyPair pty;
    Fixture f;
    f.open(pty.device());
    QByteArray received;
    QObject::connect(&f.port, &SerialPort::received, [&](const QByteArray& bytes) { received += bytes; });

    f.connection.pollTick();
    QCOMPARE(pty.readAtLeast(9, 2000), QByteArray("Q00F0000Y"));
    pty.write("Q00N01.5Y");
    QTRY_COMPARE(received, QByteArray("Q00N01.5Y"));
}

void TestSerialLink::lostLineIsToldOnceAndStopsWrites()
{
    auto pty = std::make_unique<PtyPair>();
    Fixture f;
    f.open(pty->device());
    QSignalSpy lost(&f.port, &SerialPort::lineLost);
    QObject::connect(&f.port, &SerialPort::lineLost, [&](const QString& reason) { f.connection.lineLost(reason); });

    pty.reset();
    QTRY_COMPARE(lost.size(), 1);
    QTest::qWait(200);
    QCOMPARE(lost.size(), 1);
    QVERIFY(!f.port.isOpen());
    QCOMPARE(f.dialogs.messages.size(), 1);
    QVERIFY(f.dialogs.messages[0].text.startsWith(QStringLiteral("串口连接中断：")));
    QCOMPARE(f.dialogs.messages[0].title, QStringLiteral("通信错误"));
    QVERIFY(!f.port.write(frames::kPoll));
}

void TestSerialLink::commandWithoutOpenPortIsRefusedAndTold()
{
    SerialPort port;
    FakeDialogs dialogs;
    CommandWriter writer(port, dialogs);

    QVERIFY(!writer.send(frames::kRun));
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].text, QStringLiteral("串口未打开，命令未发送"));
    QCOMPARE(dialogs.messages[0].title, QStringLiteral("通信错误"));

    PtyPair pty;
    QVERIFY(port.open(pty.device(), *LineSettings::parse(QStringLiteral("9600,n,8,1"))));
    QVERIFY(writer.send(frames::kRun));
    QCOMPARE(pty.readAtLeast(9, 2000), frames::kRun);
    QCOMPARE(dialogs.messages.size(), 1);
}

void TestSerialLink::lostLineIsReopenedByThePollWhenItIsBack()
{
    // The device as the operator named it: a link that a returning adapter points anew.
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("pump"));
    auto first = std::make_unique<PtyPair>();
    QVERIFY(QFile::link(first->device(), link));
    Fixture f;
    f.open(link);
    QObject::connect(&f.port, &SerialPort::lineLost, [&](const QString& reason) { f.connection.lineLost(reason); });

    first.reset();
    QTRY_VERIFY(!f.port.isOpen());
    QVERIFY(f.health.isStale());
    f.connection.pollTick(); // still gone: nothing, and nothing more told
    QVERIFY(!f.port.isOpen());
    QCOMPARE(f.dialogs.messages.size(), 1);

    PtyPair second;
    QVERIFY(QFile::remove(link) && QFile::link(second.device(), link));
    f.connection.pollTick();
    QVERIFY(f.port.isOpen());
    QCOMPARE(second.readAtLeast(9, 2000), frames::kPoll);
    QCOMPARE(second.line().baud, 9600);
    QVERIFY(f.health.isStale()); // until a reply frame is applied
    f.health.frameApplied();
    QVERIFY(!f.health.isStale());
    QCOMPARE(f.dialogs.messages.size(), 1);
}

void TestSerialLink::valuesGoStaleAfterThreeUnansweredPolls()
{
    QLabel LcurrP(QStringLiteral("01.5")), LsetP(QStringLiteral("02.0")), LsetF(QStringLiteral("10.0"));
    const QColor normal = LcurrP.palette().color(QPalette::WindowText);
    LinkHealth health(LcurrP, LsetP, LsetF);
    const auto textColour = [](QLabel& label) { return label.palette().color(QPalette::WindowText); };

    for (int poll = 1; poll <= 3; ++poll)
        health.pollDue();
    QVERIFY(!health.isStale());
    health.pollDue(); // the fourth falls due with three unanswered
    QVERIFY(health.isStale());
    for (QLabel* label : {&LcurrP, &LsetP, &LsetF})
        QVERIFY(textColour(*label) != normal);
    QCOMPARE(LcurrP.text(), QStringLiteral("01.5"));

    health.frameApplied();
    QVERIFY(!health.isStale());
    QCOMPARE(textColour(LsetF), normal);
    // One reply in time keeps the values fresh.
    for (int poll = 1; poll <= 3; ++poll)
        health.pollDue();
    health.frameApplied();
    health.pollDue();
    QVERIFY(!health.isStale());
}

QTEST_MAIN(TestSerialLink)
#include "test_serial_link.moc"
