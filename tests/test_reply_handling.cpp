#include "link/frames.h"
#include "link/reply_handler.h"
#include "link/reply_stream.h"
#include "panel/panel_state.h"

#include <QLabel>
#include <QtTest>

using Chunks = QList<QByteArray>;

class TestReplyHandling : public QObject {
    Q_OBJECT
private slots:
    void repliesReachTheirLabelsThenTheChart_data();
    void repliesReachTheirLabelsThenTheChart();
    void chartSamplesAfterTheLabelIsWritten();
    void openKeypadEntryOwnsItsLabel();
    void streamNeverHoldsMoreThanAFramesWorth();
    void frameBuilding_data();
    void frameBuilding();
};

void TestReplyHandling::repliesReachTheirLabelsThenTheChart_data()
{
    QTest::addColumn<Chunks>("chunks");
    QTest::addColumn<QString>("LcurrP");
    QTest::addColumn<QString>("LsetP");
    QTest::addColumn<QString>("LsetF");
    QTest::addColumn<int>("samples");

    QTest::newRow("current pressure, any pump") << Chunks{"Q01N01.5Y"} << "01.5" << "02.0" << "00.0" << 1;
    QTest::newRow("set pressure") << Chunks{"Q00P01.5Y"} << "00.0" << "01.5" << "00.0" << 1;
    QTest::newRow("set pressure skips character 7") << Chunks{"Q00P0150Y"} << "00.0" << "01.0" << "00.0" << 1;
    QTest::newRow("set flow") << Chunks{"Q00L12.3Y"} << "00.0" << "02.0" << "12.3" << 1;
    QTest::newRow("other letter: sample only") << Chunks{"Q00X0000Y"} << "00.0" << "02.0" << "00.0" << 1;
    QTest::newRow("small letter is another letter") << Chunks{"Q00n01.5Y"} << "00.0" << "02.0" << "00.0" << 1;
    QTest::newRow("value shown as it stands") << Chunks{"Q00NabcdY"} << "abcd" << "02.0" << "00.0" << 1;
    QTest::newRow("bytes beyond ASCII stay one character each")
        << Chunks{QByteArray("Q00N\xff\x01-9Y")} << QString::fromLatin1("\xff\x01-9") << "02.0" << "00.0" << 1;
    QTest::newRow("small q dropped") << Chunks{"q00N01.5Y"} << "00.0" << "02.0" << "00.0" << 0;
    QTest::newRow("small y dropped") << Chunks{"Q00N01.5y"} << "00.0" << "02.0" << "00.0" << 0;
    QTest::newRow("eight characters wait") << Chunks{"Q00N01.5"} << "00.0" << "02.0" << "00.0" << 0;
    QTest::newRow("two frames in one read") << Chunks{"Q00N01.5YQ00P01.0Y"} << "01.5" << "01.0" << "00.0" << 2;
    QTest::newRow("line end after a frame") << Chunks{"Q00N01.5Y\r\n", "Q00N01.6Y"} << "01.6" << "02.0" << "00.0" << 2;
    QTest::newRow("starts inside a frame") << Chunks{"1.5YQ00N01.6Y"} << "01.6" << "02.0" << "00.0" << 1;
    QTest::newRow("split over two reads") << Chunks{"Q00N", "01.5Y"} << "01.5" << "02.0" << "00.0" << 1;
    QTest::newRow("one byte a read") << Chunks{"Q", "0", "0", "N", "0", "1", ".", "7", "Y"} << "01.7" << "02.0" << "00.0" << 1;
    QTest::newRow("noise before a frame") << Chunks{QByteArray("\0\xffQQ00N01.7Y", 12)} << "01.7" << "02.0" << "00.0" << 1;
    QTest::newRow("stray byte between frames")
        << Chunks{"Q00N01.1Y", "x", "Q00N01.2Y"} << "01.2" << "02.0" << "00.0" << 2;
    QTest::newRow("bad frame then good one in the same read")
        << Chunks{"Q00N01.5ZQ00L05.0Y"} << "00.0" << "02.0" << "05.0" << 1;
    QTest::newRow("frame completed by the next read after noise")
        << Chunks{"zzQ00N0", "2.0YQ00P0"} << "02.0" << "02.0" << "00.0" << 1;
}

void TestReplyHandling::repliesReachTheirLabelsThenTheChart()
{
    QFETCH(Chunks, chunks);
    QLabel LcurrP(QStringLiteral("00.0")), LsetP(QStringLiteral("02.0")), LsetF(QStringLiteral("00.0"));
    PanelState state;
    int samples = 0;
    ReplyHandler handler(LcurrP, LsetP, LsetF, state, state.savelist, [&] { ++samples; });

    for (const QByteArray& chunk : chunks)
        handler.received(chunk);

    QTEST(LcurrP.text(), "LcurrP");
    QTEST(LsetP.text(), "LsetP");
    QTEST(LsetF.text(), "LsetF");
    QTEST(samples, "samples");
}

void TestReplyHandling::chartSamplesAfterTheLabelIsWritten()
{
    QLabel LcurrP(QStringLiteral("00.0")), LsetP, LsetF;
    PanelState state;
    QStringList sampled;
    ReplyHandler handler(LcurrP, LsetP, LsetF, state, state.savelist, [&] { sampled << LcurrP.text(); });

    handler.received("Q00N01.5YQ00P01.0YQ00N00.9Y");

    QCOMPARE(sampled, (QStringList{"01.5", "01.5", "00.9"}));
}

void TestReplyHandling::openKeypadEntryOwnsItsLabel()
{
    QLabel LcurrP(QStringLiteral("00.0")), LsetP(QStringLiteral("02.0")), LsetF(QStringLiteral("1"));
    PanelState state;
    state.lq = 1;
    int samples = 0;
    ReplyHandler handler(LcurrP, LsetP, LsetF, state, state.savelist, [&] { ++samples; });

    handler.received("Q00L12.3YQ00P01.5Y");
    QCOMPARE(LsetF.text(), QStringLiteral("1"));
    QCOMPARE(LsetP.text(), QStringLiteral("01.5"));
    QCOMPARE(samples, 2);

    state.lq = 0;
    state.pr = 1;
    handler.received("Q00L12.3YQ00P01.0Y");
    QCOMPARE(LsetF.text(), QStringLiteral("12.3"));
    QCOMPARE(LsetP.text(), QStringLiteral("01.5"));
}

void TestReplyHandling::streamNeverHoldsMoreThanAFramesWorth()
{
    ReplyStream stream;
    int frames = 0;
    const auto count = [&](QByteArrayView) { ++frames; };
    stream.feed(QByteArray(10000, 'Q'), count);
    QVERIFY(stream.pending().size() <= 8);
    stream.feed(QByteArray(10000, 'x'), count);
    QCOMPARE(stream.pending().size(), 0);
    stream.feed("Q00N01.5", count);
    QCOMPARE(stream.pending(), QByteArrayView("Q00N01.5"));
    stream.feed("YQ00N0", count);
    QCOMPARE(frames, 1);
    QCOMPARE(stream.pending(), QByteArrayView("Q00N0"));
}

void TestReplyHandling::frameBuilding_data()
{
    QTest::addColumn<qint64>("pump");
    QTest::addColumn<char>("letter");
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("keypad flow, pump 3") << qint64(3) << 'L' << 5.0 << QByteArray("Q03L05.0Y");
    QTest::newRow("keypad pressure, pump 12") << qint64(12) << 'P' << 1.5 << QByteArray("Q12P01.5Y");
    QTest::newRow("prompt 12.34") << qint64(0) << 'L' << 12.34 << QByteArray("Q00L12.3Y");
    QTest::newRow("prompt 50") << qint64(0) << 'L' << 50.0 << QByteArray("Q00L50.0Y");
    QTest::newRow("prompt 0.05") << qint64(0) << 'P' << 0.05 << QByteArray("Q00P00.1Y");
}

void TestReplyHandling::frameBuilding()
{
    QFETCH(qint64, pump);
    QFETCH(char, letter);
    QFETCH(double, value);
    QFETCH(QByteArray, frame);
    QCOMPARE(frames::setpoint(pump, letter, value), frame);
    QVERIFY(frames::isFrame(frame));
}

QTEST_MAIN(TestReplyHandling)
#include "test_reply_handling.moc"
