#include "chart/trend_chart.h"
#include "panel/main_window.h"
#include "panel/panel_state.h"
#include "platform/picture_box.h"
#include "support/fake_dialogs.h"
#include "support/menu_bar.h"
#include "support/pty_pair.h"

#include <QLabel>
#include <QMenuBar>
#include <QtTest>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);

// Picture1's size in pixels; the user scale puts x 0..100 across it and y 2..-0.8 down it.
constexpr int kWidth = 665;
constexpr int kHeight = 145;

QPoint pixelOf(double x, double y)
{
    return QPoint(qRound(x * kWidth / 100.0), qRound((2.0 - y) / 2.8 * kHeight));
}

// Whether the colour is found within a pixel of the point: a thin line lands on either side of
// a fractional coordinate.
bool colourNear(const QImage& image, QPoint at, const QColor& colour)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint p = at + QPoint(dx, dy);
            if (image.rect().contains(p) && image.pixelColor(p) == colour)
                return true;
        }
    return false;
}

int countColour(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}

// Red pixels right of the user x coordinate: where no segment may be yet.
int redsRightOf(const QImage& image, double x)
{
    const int left = pixelOf(x, 0.0).x();
    return countColour(image.copy(left, 0, image.width() - left, image.height()), kRed);
}

// The chart on its own picture box, white and black as the window sets it.
struct Chart {
    PanelState state;
    QLabel LcurrP{QStringLiteral("00.0")};
    PictureBox Picture1;
    TrendChart chart{Picture1, LcurrP, state};

    Chart()
    {
        QPalette palette = Picture1.palette();
        palette.setColor(QPalette::Base, kWhite);
        Picture1.setPalette(palette);
        Picture1.resize(kWidth, kHeight);
        Picture1.show();
        chart.setUp();
    }
    void sample(const QString& caption)
    {
        LcurrP.setText(caption);
        chart.update();
    }
    void samples(int count, const QString& caption)
    {
        for (int i = 0; i < count; ++i)
            sample(caption);
    }
    // What the box paints, from its own surface.
    QImage shown() { return Picture1.grab().toImage(); }
};

} // namespace

class TestTrendChart : public QObject {
    Q_OBJECT
private slots:
    void firstUpdateDrawsAxisTicksAndTheFirstSample();
    void samplesAreStoredAtTheirIndex_data();
    void samplesAreStoredAtTheirIndex();
    void segmentJoinsTheLastTwoSamples();
    void axisAndTicksGoOverOlderSegments();
    void hundredthUpdateClearsAndTheNextStartsASweep();
    void notANumberInALaterSweepDrawsToTheOlderSample();
    void valuesBeyondTheBoxAreClampedAndCutOff_data();
    void valuesBeyondTheBoxAreClampedAndCutOff();
    void drawingSurvivesHidingAndShowing();
    void repliesOnTheLineDrawTheSweepInTheWindow();
};

void TestTrendChart::firstUpdateDrawsAxisTicksAndTheFirstSample()
{
    Chart c;
    QCOMPARE(countColour(c.shown(), kWhite), kWidth * kHeight);

    c.sample(QStringLiteral("00.0"));
    QCOMPARE(c.state.itime, 1);
    QCOMPARE(c.state.prhist(0), 0.0);
    const QImage image = c.shown();
    for (const double x : {10.0, 50.0, 99.0})
        QVERIFY2(colourNear(image, pixelOf(x, 0.0), kBlack), qPrintable(QString::number(x)));
    for (const double y : {0.5, 1.0, 1.5})
        QVERIFY2(colourNear(image, pixelOf(0.75, y), kBlack), qPrintable(QString::number(y)));
    // Ticks end at 1.5; there is none at the top edge and nothing between the marks.
    QVERIFY(!colourNear(image, pixelOf(3.0, 1.0), kBlack));
    QVERIFY(!colourNear(image, pixelOf(0.75, 2.0) + QPoint(0, 1), kBlack));
    QVERIFY(!colourNear(image, pixelOf(0.75, 1.25), kBlack));
    // The segment from (-1, 0) shows only where it ends, at x = 0 on the axis.
    QVERIFY(colourNear(image, pixelOf(0.0, 0.0), kRed));
    QVERIFY(!colourNear(image, pixelOf(1.0, 0.0), kRed));
}

void TestTrendChart::samplesAreStoredAtTheirIndex_data()
{
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QList<double>>("stored"); // prhist(0) onward

    QTest::newRow("numbers in order") << QStringList{"00.5", "01.0", "-0.2", "1.75"}
                                      << QList<double>{0.5, 1.0, -0.2, 1.75};
    QTest::newRow("not a number stores nothing") << QStringList{"01.0", "ab.c", "", "01.5"}
                                                 << QList<double>{1.0, 0.0, 0.0, 1.5};
    QTest::newRow("beyond the box") << QStringList{"09.9", "-5.0", "1e300"} << QList<double>{9.9, -5.0, 1e300};
    QTest::newRow("too large for a double") << QStringList{"1e999"} << QList<double>{0.0};
}

void TestTrendChart::samplesAreStoredAtTheirIndex()
{
    QFETCH(QStringList, captions);
    QFETCH(QList<double>, stored);
    Chart c;
    for (const QString& caption : captions)
        c.sample(caption);
    QCOMPARE(c.state.itime, captions.size());
    for (int i = 0; i < stored.size(); ++i)
        QCOMPARE(c.state.prhist(i), stored[i]);
    QCOMPARE(c.state.prhist(-1), 0.0);
}

void TestTrendChart::segmentJoinsTheLastTwoSamples()
{
    Chart c;
    c.samples(3, QStringLiteral("00.0"));
    c.sample(QStringLiteral("01.0"));
    const QImage image = c.shown();
    // The newest segment, (2, 0) to (3, 1), in red from end to end, and nothing right of it.
    QVERIFY(colourNear(image, pixelOf(2.1, 0.1), kRed));
    QVERIFY(colourNear(image, pixelOf(2.5, 0.5), kRed));
    QVERIFY(colourNear(image, pixelOf(2.9, 0.9), kRed));
    QCOMPARE(redsRightOf(image, 3.5), 0);
}

void TestTrendChart::axisAndTicksGoOverOlderSegments()
{
    Chart first;
    first.sample(QStringLiteral("00.0"));
    const QImage axisAndTicks = first.shown();

    // A zigzag that crosses the axis with every segment, and the ticks with the first ones.
    Chart c;
    for (int i = 0; i < 30; ++i)
        c.sample(i % 2 ? QStringLiteral("01.8") : QStringLiteral("-0.5"));
    const QImage image = c.shown();
    // Every pixel of axis and ticks stands whole, but under the newest segment from x = 28.
    int black = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < pixelOf(28.0, 0.0).x() - 1; ++x)
            if (axisAndTicks.pixelColor(x, y) == kBlack) {
                ++black;
                QVERIFY2(image.pixelColor(x, y) == kBlack, qPrintable(QStringLiteral("x %1, y %2").arg(x).arg(y)));
            }
    QVERIFY(black > pixelOf(28.0, 0.0).x());
}

void TestTrendChart::hundredthUpdateClearsAndTheNextStartsASweep()
{
    Chart c;
    c.samples(99, QStringLiteral("01.0"));
    QCOMPARE(c.state.itime, 99);
    // The 99th segment reaches x = 98; the edge at 100 is never drawn to.
    QVERIFY(colourNear(c.shown(), pixelOf(97.5, 1.0), kRed));

    c.sample(QStringLiteral("01.0"));
    QCOMPARE(c.state.itime, 0);
    QCOMPARE(countColour(c.shown(), kWhite), kWidth * kHeight);
    QCOMPARE(c.state.prhist(99), 1.0);

    c.sample(QStringLiteral("01.5"));
    c.sample(QStringLiteral("00.5"));
    QCOMPARE(c.state.itime, 2);
    QCOMPARE(c.state.prhist(-1), 0.0);
    const QImage image = c.shown();
    QVERIFY(colourNear(image, pixelOf(50.0, 0.0), kBlack));
    QVERIFY(colourNear(image, pixelOf(0.5, 1.0), kRed));
    QCOMPARE(redsRightOf(image, 2.0), 0);
}

void TestTrendChart::notANumberInALaterSweepDrawsToTheOlderSample()
{
    Chart c;
    c.sample(QStringLiteral("00.0"));
    c.sample(QStringLiteral("01.5"));
    c.samples(98, QStringLiteral("00.0"));
    QCOMPARE(c.state.itime, 0);

    c.sample(QStringLiteral("00.5"));
    c.sample(QStringLiteral("-.--"));
    QCOMPARE(c.state.prhist(1), 1.5);
    QVERIFY(colourNear(c.shown(), pixelOf(0.5, 1.0), kRed));
}

void TestTrendChart::valuesBeyondTheBoxAreClampedAndCutOff_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<double>("crossing"); // a height the segment from (0, 0) passes in the box

    QTest::newRow("far above") << "9e99" << 1.5;
    QTest::newRow("far below") << "-9e99" << -0.5;
    QTest::newRow("near the largest double") << "1e308" << 1.0;
    QTest::newRow("near the lowest double") << "-1e308" << -0.2;
    QTest::newRow("just above") << "05.0" << 1.9;
    QTest::newRow("just below") << "-1.0" << -0.7;
}

void TestTrendChart::valuesBeyondTheBoxAreClampedAndCutOff()
{
    QFETCH(QString, caption);
    QFETCH(double, crossing);
    Chart c;
    c.sample(QStringLiteral("00.0"));
    c.sample(caption);
    c.sample(QStringLiteral("00.0"));
    const QImage image = c.shown();
    // Out to the value and back: each of the two steep segments crosses that height once.
    const int row = pixelOf(0.0, crossing).y();
    int reds = 0;
    for (int x = 0; x <= pixelOf(2.0, 0.0).x(); ++x)
        reds += image.pixelColor(x, row) == kRed;
    QCOMPARE(reds, 2);
    QVERIFY(colourNear(image, pixelOf(50.0, 0.0), kBlack));
}

void TestTrendChart::drawingSurvivesHidingAndShowing()
{
    Chart c;
    c.sample(QStringLiteral("00.0"));
    c.sample(QStringLiteral("01.0"));
    const QImage before = c.shown();
    QVERIFY(colourNear(before, pixelOf(0.5, 0.5), kRed));

    c.Picture1.showMinimized();
    c.Picture1.hide();
    c.Picture1.showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(&c.Picture1));
    QCOMPARE(c.shown(), before);
}

void TestTrendChart::repliesOnTheLineDrawTheSweepInTheWindow()
{
    PtyPair pty;
    FakeDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    dialogs.answer(pty.device());
    barEntry(window, "Communication")->trigger();
    auto* LcurrP = window.findChild<QLabel*>(QStringLiteral("LcurrP"));
    auto* Picture1 = window.findChild<PictureBox*>(QStringLiteral("Picture1"));
    QCOMPARE(Picture1->size(), QSize(kWidth, kHeight));

    // Forty pressures climbing by 0.05 MPa, then a set-pressure reply that repeats the last one.
    QByteArray replies;
    for (int i = 0; i < 40; ++i)
        replies += QStringLiteral("Q00N%1Y").arg(i * 0.05, 4, 'f', 2).toLatin1();
    replies += "Q00P01.5Y";
    pty.write(replies);
    QTRY_COMPARE(LcurrP->text(), QStringLiteral("1.95"));
    QTRY_VERIFY(colourNear(Picture1->grab().toImage(), pixelOf(39.5, 1.95), kRed));

    const QImage image = Picture1->grab().toImage();
    for (const int i : {1, 20, 39})
        QVERIFY2(colourNear(image, pixelOf(i - 0.5, (i - 0.5) * 0.05), kRed), qPrintable(QString::number(i)));
    QVERIFY(colourNear(image, pixelOf(80.0, 0.0), kBlack));
    QCOMPARE(redsRightOf(image, 41.0), 0);
}

QTEST_MAIN(TestTrendChart)
#include "test_trend_chart.moc"
