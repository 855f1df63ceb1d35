#include "link/frames.h"
#include "panel/main_window.h"
#include "platform/picture_box.h"
#include "platform/serial_port.h"
#include "support/fake_dialogs.h"
#include "support/menu_bar.h"
#include "support/pty_pair.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QtTest>

namespace {

template <typename T = QWidget>
T* child(QObject& window, const char* name)
{
    return window.findChild<T*>(QString::fromLatin1(name));
}

QString caption(QObject& window, const char* name)
{
    return child<QLabel>(window, name)->text();
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startsInThePortClosedState();
    void controlsSitAtTheirPlaces_data();
    void controlsSitAtTheirPlaces();
    void keypadHasSixteenKeysWithThreeZeroes();
    void portCommandFromTheMenuPollsAndShowsReplies();
    void rightButtonPopupOnlyOnTheSurfaceOnceThePortIsOpen();
    void closingTheWindowClosesThePort();
};

void TestMainWindow::startsInThePortClosedState()
{
    FakeDialogs dialogs;
    MainWindow window(&dialogs);

    QCOMPARE(window.windowTitle(), QStringLiteral("Duravel(KVR6718)V2.0"));
    QCOMPARE(caption(window, "LcurrP"), QStringLiteral("00.0"));
    QCOMPARE(caption(window, "LsetP"), QStringLiteral("02.0"));
    QCOMPARE(caption(window, "LsetF"), QStringLiteral("00.0"));
    QCOMPARE(caption(window, "Lstate"), QStringLiteral("     STOP"));
    QCOMPARE(caption(window, "LSetState"), QString());
    for (const char* name : {"lhour", "lmin", "lsed", "Label1", "Label2", "Label3"})
        QVERIFY2(child(window, name)->isHidden(), name);
    for (const char* name : {"file", "settime", "Pump", "seting"})
        QVERIFY2(!barEntry(window, name)->isEnabled(), name);
    QVERIFY(!child<QMenu>(window, "rightkey")->isEnabled());
    QVERIFY(barEntry(window, "Communication")->isEnabled());
    QVERIFY(barEntry(window, "help")->isEnabled());
    QVERIFY(!barEntry(window, "rightkey"));
    auto* Timer1 = window.findChild<QTimer*>(QStringLiteral("Timer1"));
    auto* Timer2 = window.findChild<QTimer*>(QStringLiteral("Timer2"));
    QCOMPARE(Timer1->interval(), 1000);
    QVERIFY(!Timer1->isActive());
    QCOMPARE(Timer2->interval(), 1500);
    QVERIFY(!Timer2->isActive());
    QCOMPARE(window.centralWidget()->size(), QSize(727, 502));
}

void TestMainWindow::controlsSitAtTheirPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::newRow("LcurrP") << "LcurrP" << QRect(528, 40, 41, 25);
    QTest::newRow("LsetP") << "LsetP" << QRect(528, 64, 41, 25);
    QTest::newRow("LsetF") << "LsetF" << QRect(528, 88, 41, 25);
    QTest::newRow("LSetState") << "LSetState" << QRect(448, 112, 81, 25);
    QTest::newRow("Lstate") << "Lstate" << QRect(528, 112, 88, 25);
    QTest::newRow("lsed") << "lsed" << QRect(136, 0, 41, 25);
    QTest::newRow("Cmd1") << "Cmd1" << QRect(491, 144, 41, 25);
    QTest::newRow("Cmd9") << "Cmd9" << QRect(491, 208, 41, 25);
    QTest::newRow("Cmdl") << "Cmdl" << QRect(448, 240, 41, 25);
    QTest::newRow("Cmds") << "Cmds" << QRect(579, 240, 41, 25);
    QTest::newRow("Picture1") << "Picture1" << QRect(40, 312, 665, 145);
}

void TestMainWindow::controlsSitAtTheirPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    FakeDialogs dialogs;
    MainWindow window(&dialogs);
    QWidget* control = window.findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget(), window.centralWidget());
    QCOMPARE(control->geometry(), place);
}

void TestMainWindow::keypadHasSixteenKeysWithThreeZeroes()
{
    FakeDialogs dialogs;
    MainWindow window(&dialogs);
    const auto keys = window.centralWidget()->findChildren<QAbstractButton*>();
    QCOMPARE(keys.size(), 16);
    QList<int> zeroMembers;
    for (QAbstractButton* key : keys) {
        QVERIFY(key->text().isEmpty());
        if (key->objectName() == QLatin1String("Cmd0"))
            zeroMembers << key->property("index").toInt();
    }
    std::sort(zeroMembers.begin(), zeroMembers.end());
    QCOMPARE(zeroMembers, (QList<int>{0, 1, 13}));
}

void TestMainWindow::portCommandFromTheMenuPollsAndShowsReplies()
{
    PtyPair pty;
    FakeDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    dialogs.answer(pty.device());
    QElapsedTimer clock;
    clock.start();
    barEntry(window, "Communication")->trigger();

    for (const char* name : {"file", "settime", "Pump", "seting"})
        QVERIFY2(barEntry(window, name)->isEnabled(), name);
    QVERIFY(child<QMenu>(window, "rightkey")->isEnabled());

    // Two polls, each about 1500 ms after the one before; the bounds are wide for busy machines.
    QCOMPARE(pty.readAtLeast(9, 5000), frames::kPoll);
    const qint64 first = clock.restart();
    QCOMPARE(pty.readAtLeast(9, 5000), frames::kPoll);
    const qint64 second = clock.elapsed();
    QVERIFY2(first >= 1400 && first < 3000, qPrintable(QString::number(first)));
    QVERIFY2(second >= 1400 && second < 3000, qPrintable(QString::number(second)));

    pty.write("Q00N01.5YQ00P01.0Y");
    pty.write("Q00L1");
    pty.write("2.3Y");
    QTRY_COMPARE(caption(window, "LsetF"), QStringLiteral("12.3"));
    QCOMPARE(caption(window, "LcurrP"), QStringLiteral("01.5"));
    QCOMPARE(caption(window, "LsetP"), QStringLiteral("01.0"));
}

void TestMainWindow::rightButtonPopupOnlyOnTheSurfaceOnceThePortIsOpen()
{
    PtyPair pty;
    FakeDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* rightkey = child<QMenu>(window, "rightkey");
    QWidget* surface = window.centralWidget();
    const QPoint empty(300, 200);

    QTest::mousePress(surface, Qt::RightButton, {}, empty);
    QTest::qWait(50);
    QVERIFY(!rightkey->isVisible());

    dialogs.answer(pty.device());
    barEntry(window, "Communication")->trigger();
    QTest::mousePress(surface, Qt::LeftButton, {}, empty);
    QTest::mousePress(child(window, "LcurrP"), Qt::RightButton, {}, QPoint(5, 5));
    QTest::mousePress(child(window, "Picture1"), Qt::RightButton, {}, QPoint(5, 5));
    QTest::mousePress(child(window, "Cmd5"), Qt::RightButton, {}, QPoint(5, 5));
    QTest::qWait(50);
    QVERIFY(!rightkey->isVisible());

    QTest::mousePress(surface, Qt::RightButton, {}, empty);
    QTRY_VERIFY(rightkey->isVisible());
    QStringList items;
    for (QAction* action : rightkey->actions())
        items << action->objectName() + QLatin1Char('=') + action->text();
    QCOMPARE(items, (QStringList{"rrun=运行", "rstop=停止"}));
    rightkey->close();
}

void TestMainWindow::closingTheWindowClosesThePort()
{
    PtyPair pty;
    FakeDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    dialogs.answer(pty.device());
    barEntry(window, "Communication")->trigger();
    auto* MSComm1 = window.findChild<SerialPort*>(QStringLiteral("MSComm1"));
    QVERIFY(MSComm1->isOpen());

    QVERIFY(window.close());
    QVERIFY(!MSComm1->isOpen());

    // Closing without ever opening a port does no harm.
    MainWindow unopened(&dialogs);
    unopened.show();
    QVERIFY(unopened.close());
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
