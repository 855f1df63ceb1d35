// The simulated pump, driven as the panel drives it: a real QSerialPort on its pseudo-terminal.

#include "support/pump_sim.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

constexpr int kTimeoutMs = 5000;
const QByteArray kPoll = "Q00F0000Y";
const QByteArray kIdleReply = "Q00N00.0Y";

bool openLine(QSerialPort& port, const QString& device)
{
    port.setPortName(device);
    return port.open(QIODevice::ReadWrite) && port.setBaudRate(QSerialPort::Baud9600)
        && port.setDataBits(QSerialPort::Data8) && port.setParity(QSerialPort::NoParity)
        && port.setStopBits(QSerialPort::OneStop);
}

// Starts it and opens the port on its device as the panel does.
bool startOn(PumpSim& sim, QSerialPort& port, const QStringList& args)
{
    const QString device = sim.start(args);
    return !device.isEmpty() && openLine(port, device);
}

// Everything received once at least count bytes are there (fewer after the time-out).
QByteArray receive(QSerialPort& port, qsizetype count)
{
    [[maybe_unused]] const bool complete = QTest::qWaitFor([&] { return port.bytesAvailable() >= count; }, kTimeoutMs);
    return port.readAll();
}

// The current pressure from a poll's reply; negative when no reply came.
double pollPressure(QSerialPort& port)
{
    port.write(kPoll);
    const QByteArray reply = receive(port, 9);
    return reply.size() == 9 && reply.startsWith("Q00N") ? reply.mid(4, 4).toDouble() : -1.0;
}

// Polls until the reported pressure lies within [low, high]. Not QTRY_*: that polls once more
// to report, and a pressure near a display step can read differently the next time.
bool pressureReaches(QSerialPort& port, double low, double high)
{
    return QTest::qWaitFor([&] {
        const double pressure = pollPressure(port);
        return pressure >= low && pressure <= high;
    }, kTimeoutMs);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestPumpSim : public QObject {
    Q_OBJECT

private slots:
    void obeysFramesForItsNumberAndForAll_data();
    void obeysFramesForItsNumberAndForAll();
    void runningRaisesPressureAndStoppingLetsItFall();
    void pressureLimitStopsThePump();
    void noReplyWhenSilentOrDropping_data();
    void noReplyWhenSilentOrDropping();
    void noiseSendsAStrayByteBeforeTheReply();
    void splitSendsAReplyInTwoParts();
    void coalesceWritesRepliesTogether();
    void seedRepeatsTheFaults();
    void floodAnswersTheFirstPollManyTimesAndLogsIt();
    void survivesAnyBytesAndLogsThemOnOneLineEach();
    void lineSurvivesThePortClosingAndReopening();
    void hangupTakesTheLineAndTheLinkAway();
    void stopSignalRemovesTheLink_data();
    void stopSignalRemovesTheLink();
    void refusesBadCommandLines_data();
    void refusesBadCommandLines();
};

// Each row's bytes are followed by a poll; its reply comes last, so a reply that should not
// have been sent shows up in front of it.
void TestPumpSim::obeysFramesForItsNumberAndForAll_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QByteArray>("replies");

    QTest::newRow("poll alone") << "00" << QByteArray() << QByteArray();
    QTest::newRow("flow") << "00" << QByteArray("Q00L12.5Y") << QByteArray("Q00L12.5Y");
    QTest::newRow("flow at its limit") << "00" << QByteArray("Q00L50.0Y") << QByteArray("Q00L50.0Y");
    QTest::newRow("flow over its limit") << "00" << QByteArray("Q00L50.1Y") << QByteArray();
    QTest::newRow("pressure") << "00" << QByteArray("Q00P01.5Y") << QByteArray("Q00P01.5Y");
    QTest::newRow("pressure at its limit") << "00" << QByteArray("Q00P02.0Y") << QByteArray("Q00P02.0Y");
    QTest::newRow("pressure over its limit") << "00" << QByteArray("Q00P02.1Y") << QByteArray();
    QTest::newRow("value without a point") << "00" << QByteArray("Q00L0150Y") << QByteArray();
    QTest::newRow("value not a number") << "00" << QByteArray("Q00L1x.5Y") << QByteArray();
    QTest::newRow("unknown letter") << "00" << QByteArray("Q00X0000Y") << QByteArray();
    QTest::newRow("small letters") << "00" << QByteArray("q00f0000y") << QByteArray();
    QTest::newRow("two frames in one write") << "00" << QByteArray("Q00L05.0YQ00P01.0Y")
                                             << QByteArray("Q00L05.0YQ00P01.0Y");
    QTest::newRow("noise before a frame") << "00" << QByteArray("\xff\x00Q1YQQ00L05.0Y", 15)
                                          << QByteArray("Q00L05.0Y");
    QTest::newRow("cut-off frame before a frame") << "00" << QByteArray("Q00L1Q00L05.0Y") << QByteArray("Q00L05.0Y");
    QTest::newRow("own number") << "03" << QByteArray("Q03L10.0Y") << QByteArray("Q03L10.0Y");
    QTest::newRow("number 00 answered with own number") << "03" << QByteArray("Q00P01.0Y") << QByteArray("Q03P01.0Y");
    QTest::newRow("another pump's number") << "03" << QByteArray("Q05L10.0YQ05F0000Y") << QByteArray();
}

void TestPumpSim::obeysFramesForItsNumberAndForAll()
{
    QFETCH(QString, address);
    QFETCH(QByteArray, sent);
    QFETCH(QByteArray, replies);

    PumpSim sim;
    QSerialPort port;
    QVERIFY(startOn(sim, port, {"--no-line-delay", "--address", address}));

    port.write(sent + kPoll);
    const QByteArray expected = replies + "Q" + address.toLatin1() + "N00.0Y";
    QCOMPARE(receive(port, expected.size()), expected);
}

void TestPumpSim::runningRaisesPressureAndStoppingLetsItFall()
{
    PumpSim sim;
    QSerialPort port;
    QVERIFY(startOn(sim, port, {"--no-line-delay"}));

    port.write("Q00L25.0YQ00R0000Y");
    QCOMPARE(receive(port, 9), QByteArray("Q00L25.0Y"));
    QVERIFY(pressureReaches(port, 0.3, 2.0));

    port.write("Q00S0000Y");
    QVERIFY(pressureReaches(port, 0.0, 0.1));
}

// Flow 50 heads for 2.0 MPa; a limit of 0.5 must stop it on the way and let the pressure fall.
void TestPumpSim::pressureLimitStopsThePump()
{
    PumpSim sim;
    QSerialPort port;
    QVERIFY(startOn(sim, port, {"--no-line-delay"}));

    port.write("Q00L50.0YQ00P00.5YQ00R0000Y");
    QCOMPARE(receive(port, 18), QByteArray("Q00L50.0YQ00P00.5Y"));
    QVERIFY(pressureReaches(port, 0.4, 2.0));
    QVERIFY(pressureReaches(port, 0.0, 0.3));
}

void TestPumpSim::noReplyWhenSilentOrDropping_data()
{
    QTest::addColumn<QStringList>("fault");
    QTest::newRow("silent") << QStringList{"--silent"};
    QTest::newRow("every reply dropped") << QStringList{"--drop", "1"};
}

void TestPumpSim::noReplyWhenSilentOrDropping()
{
    QFETCH(QStringList, fault);
    QTemporaryDir dir;
    const QString log = dir.filePath("sim.log");
    PumpSim sim;
    QSerialPort port;
    QVERIFY(startOn(sim, port, fault + QStringList{"--no-line-delay", "--log", log}));

    port.write("Q00L05.0Y" + kPoll);
    QTRY_VERIFY_WITH_TIMEOUT(readFile(log).contains("< " + kPoll), kTimeoutMs);
    QTest::qWait(200);
    QCOMPARE(port.bytesAvailable(), 0);
    QVERIFY(sim.stop(SIGTERM));
    QVERIFY(sim.process().readAllStandardError().contains("replies sent: 0"));
}

void TestPumpSim::noiseSendsAStrayByteBeforeTheReply()
{
    PumpSim sim;
    QSerialPort port;
    QVERIFY(startOn(sim, port, {"--no-line-delay", "--noise", "1"}));

    port.write(kPoll);
    const QByteArray received = receive(port, 10);
    QCOMPARE(received.size(), 10);
    QVERIFY(received[0] != 'Q');
    QCOMPARE(received.mid(1), kIdleReply);
}

void TestPumpSim::splitSendsAReplyInTwoParts()
{
    PumpSim sim;
    QSerialPort port;
    QVERIFY(startOn(sim, port, {"--no-line-delay", "--split"}));
    QSignalSpy arrivals(&port, &QSerialPort::readyRead);

    port.write(kPoll);
    QCOMPARE(receive(port, 9), kIdleReply);
    QCOMPARE(arrivals.count(), 2);
}

void TestPumpSim::coalesceWritesRepliesTogether()
{
    PumpSim sim;
    QSerialPort port;
    QVERIFY(startOn(sim, port, {"--coalesce"}));
    QSignalSpy arrivals(&port, &QSerialPort::readyRead);

    port.write(kPoll);
    QVERIFY(port.waitForBytesWritten(kTimeoutMs));
    QTest::qWait(20);
    port.write("Q00L05.0Y");
    QCOMPARE(receive(port, 18), kIdleReply + "Q00L05.0Y");
    QCOMPARE(arrivals.count(), 1);
}

void TestPumpSim::seedRepeatsTheFaults()
{
    const QByteArray polls = kPoll.repeated(8);
    QByteArray runs[2];
    for (QByteArray& received : runs) {
        PumpSim sim;
        QSerialPort port;
        QVERIFY(startOn(sim, port, {"--no-line-delay", "--noise", "0.5", "--seed", "7"}));
        port.write(polls);
        QVERIFY(QTest::qWaitFor([&] {
            received += port.readAll();
            return received.count(kIdleReply) == 8;
        }, kTimeoutMs));
    }
    QVERIFY(runs[0].size() > polls.size()); // some noise, or the comparison proves nothing
    QCOMPARE(runs[0], runs[1]);
}

void TestPumpSim::floodAnswersTheFirstPollManyTimesAndLogsIt()
{
    QTemporaryDir dir;
    const QString log = dir.filePath("sim.log");
    PumpSim sim;
    QSerialPort port;
    QVERIFY(startOn(sim, port, {"--no-line-delay", "--flood", "20", "--log", log}));

    port.write(kPoll);
    QCOMPARE(receive(port, 21 * 9), kIdleReply.repeated(21));
    port.write(kPoll);
    QCOMPARE(receive(port, 9), kIdleReply);
    QTest::qWait(100);
    QCOMPARE(port.bytesAvailable(), 0);

    QVERIFY(sim.stop(SIGTERM));
    QVERIFY(sim.process().readAllStandardError().contains("replies sent: 22"));
    const QList<QByteArray> lines = readFile(log).trimmed().split('\n');
    QCOMPARE(lines.size(), 2 + 22 + 1);
    const QRegularExpression stamp("^\\d+\\.\\d{3} ");
    for (const QByteArray& line : lines)
        QVERIFY2(stamp.match(QString::fromLatin1(line)).hasMatch(), line.constData());
    QCOMPARE(lines.front().mid(lines.front().indexOf(' ')), " < " + kPoll);
    QCOMPARE(lines[1].mid(lines[1].indexOf(' ')), " > " + kIdleReply);
    QCOMPARE(lines.back().mid(lines.back().indexOf(' ')), QByteArray(" replies sent: 22"));
}

void TestPumpSim::survivesAnyBytesAndLogsThemOnOneLineEach()
{
    QTemporaryDir dir;
    const QString log = dir.filePath("sim.log");
    PumpSim sim;
    QSerialPort port;
    QVERIFY(startOn(sim, port, {"--no-line-delay", "--log", log}));

    // First a frame with control bytes inside, for the log; then every byte value and noise.
    QByteArray garbage("Q\n\r\0\\\x7f\x80\tY", 9);
    for (int byte = 0; byte < 256; ++byte)
        garbage += static_cast<char>(byte);
    QRandomGenerator random(42);
    for (int i = 0; i < 64 * 1024; ++i)
        garbage += static_cast<char>(random.bounded(256));
    port.write(garbage + kPoll);
    QByteArray received;
    QVERIFY(QTest::qWaitFor([&] {
        received += port.readAll();
        return received.endsWith(kIdleReply);
    }, kTimeoutMs));
    QCOMPARE(sim.process().state(), QProcess::Running);

    QVERIFY(sim.stop(SIGTERM));
    const QByteArray text = readFile(log);
    QVERIFY(text.contains(" < Q\\x0A\\x0D\\x00\\x5C\\x7F\\x80\\x09Y\n"));
    const QRegularExpression logLine("^\\d+\\.\\d{3} (< Q[\\x20-\\x7e]*Y|> Q00N00\\.0Y|replies sent: \\d+)$");
    for (const QByteArray& line : text.trimmed().split('\n'))
        QVERIFY2(logLine.match(QString::fromLatin1(line)).hasMatch(), line.constData());
}

void TestPumpSim::lineSurvivesThePortClosingAndReopening()
{
    PumpSim sim;
    const QString device = sim.start({"--no-line-delay"});
    QVERIFY(!device.isEmpty());
    for (int open = 0; open < 2; ++open) {
        QSerialPort port;
        QVERIFY(openLine(port, device));
        port.write(kPoll);
        QCOMPARE(receive(port, 9), kIdleReply);
    }
    QCOMPARE(sim.process().state(), QProcess::Running);
}

void TestPumpSim::hangupTakesTheLineAndTheLinkAway()
{
    QTemporaryDir dir;
    const QString link = dir.filePath("pump");
    PumpSim sim;
    QVERIFY(!sim.start({"--hangup-after", "0.5", "--link", link}).isEmpty());
    QSerialPort port;
    QVERIFY(openLine(port, link));
    QList<QSerialPort::SerialPortError> errors;
    // The line stays broken; one report is enough.
    connect(&port, &QSerialPort::errorOccurred, &port, [&](QSerialPort::SerialPortError error) {
        if (error != QSerialPort::NoError && error != QSerialPort::UnsupportedOperationError) {
            errors << error;
            port.close();
        }
    });

    QTRY_VERIFY_WITH_TIMEOUT(!errors.isEmpty(), kTimeoutMs);
    QVERIFY(errors.front() == QSerialPort::ReadError || errors.front() == QSerialPort::ResourceError);
    QVERIFY(sim.finish());
    QVERIFY(!QFileInfo(link).isSymLink());
}

void TestPumpSim::stopSignalRemovesTheLink_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void TestPumpSim::stopSignalRemovesTheLink()
{
    QFETCH(int, signal);
    QTemporaryDir dir;
    const QString link = dir.filePath("pump");
    PumpSim sim;
    const QString device = sim.start({"--link", link});
    QVERIFY(!device.isEmpty());
    QCOMPARE(QFileInfo(link).symLinkTarget(), device);

    QVERIFY(sim.stop(signal));
    QVERIFY(!QFileInfo(link).isSymLink());
    QVERIFY(sim.process().readAllStandardError().contains("replies sent: 0"));
}

void TestPumpSim::refusesBadCommandLines_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("unknown option") << QStringList{"--bogus"};
    QTest::newRow("stray argument") << QStringList{"pump"};
    QTest::newRow("missing value") << QStringList{"--address"};
    QTest::newRow("address over 99") << QStringList{"--address", "100"};
    QTest::newRow("address not a number") << QStringList{"--address", "3x"};
    QTest::newRow("probability over 1") << QStringList{"--noise", "1.5"};
    QTest::newRow("negative probability") << QStringList{"--drop", "-0.1"};
    QTest::newRow("probability nan") << QStringList{"--drop", "nan"};
    QTest::newRow("negative flood") << QStringList{"--flood", "-1"};
    QTest::newRow("time not a number") << QStringList{"--hangup-after", "soon"};
    QTest::newRow("split with coalesce") << QStringList{"--split", "--coalesce"};
}

void TestPumpSim::refusesBadCommandLines()
{
    QFETCH(QStringList, args);
    QProcess process;
    process.start(QStringLiteral(DURAVEL_PUMP_SIM), args);
    QVERIFY(process.waitForFinished(kTimeoutMs));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 2);
    QVERIFY(process.readAllStandardOutput().isEmpty());
    QVERIFY(process.readAllStandardError().contains("usage:"));
}

QTEST_MAIN(TestPumpSim)
#include "test_pump_sim.moc"
