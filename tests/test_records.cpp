#include "link/reply_handler.h"
#include "panel/main_window.h"
#include "panel/panel_state.h"
#include "records/record_file.h"
#include "records/record_list.h"
#include "records/record_viewer.h"
#include "records/test_print.h"
#include "support/fake_dialogs.h"
#include "support/pty_pair.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>
#include <random>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using Values = QList<double>;

namespace {

const QString kSaved = QStringLiteral("当前压力数值以存储");

RecordList listOf(const Values& values)
{
    RecordList list;
    for (double value : values)
        list.append(value);
    return list;
}

Values contents(const RecordList& list)
{
    Values values;
    const RecordList::Runs runs = list.inOrder();
    for (const auto run : {runs.older, runs.newer})
        values.append(Values(run.begin(), run.end()));
    return values;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// What a poppler tool prints about a PDF, or nothing when poppler-utils is missing.
std::optional<QString> pdfTool(const char* tool, const QStringList& arguments)
{
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
    if (program.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("(%1 failed)").arg(QString::fromLatin1(tool));
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestRecords : public QObject {
    Q_OBJECT
private slots:
    void init();

    void recordListKeepsTheLatestInArrivalOrder_data();
    void recordListKeepsTheLatestInArrivalOrder();
    void numericCurrentPressureRepliesFillTheRecordList_data();
    void numericCurrentPressureRepliesFillTheRecordList();

    void saveWritesFiveValueTextsToALineThenLoadShowsTheLast_data();
    void saveWritesFiveValueTextsToALineThenLoadShowsTheLast();
    void valueTextsAreThoseOfPercentPoint15G();
    void savingTwiceKeepsOnlyTheSecondList();
    void saveThatCannotWriteTellsAndKeepsTheOldFile_data();
    void saveThatCannotWriteTellsAndKeepsTheOldFile();
    void failedWriteLeavesTheOldFileWhole();

    void viewerLaysOutItsControls_data();
    void viewerLaysOutItsControls();
    void loadTakesTheLastLine_data();
    void loadTakesTheLastLine();
    void loadThatCannotReadTellsAndKeepsText1_data();
    void loadThatCannotReadTellsAndKeepsText1();
    void exitShowsTheMainWindowFirstThenHides();

    void printGivesOnePagePerCopy_data();
    void printGivesOnePagePerCopy();
    void printerThatFailsIsTold();

    void windowSavesViewsAndPrints();

private:
    std::optional<QTemporaryDir> m_folder; // a fresh one for every test
    QString m_path;
    std::optional<FakeDialogs> m_dialogs;
};

void TestRecords::init()
{
    m_folder.emplace();
    QVERIFY(m_folder->isValid());
    m_path = m_folder->filePath(QStringLiteral("mytext.txt"));
    m_dialogs.emplace();
}

void TestRecords::recordListKeepsTheLatestInArrivalOrder_data()
{
    QTest::addColumn<int>("appended");
    QTest::addColumn<Values>("kept");
    // A capacity of 3 stands in for the million.
    QTest::newRow("empty") << 0 << Values{};
    QTest::newRow("below capacity") << 2 << Values{1, 2};
    QTest::newRow("at capacity") << 3 << Values{1, 2, 3};
    QTest::newRow("oldest gives way") << 4 << Values{2, 3, 4};
    QTest::newRow("wrapped round twice") << 8 << Values{6, 7, 8};
}

void TestRecords::recordListKeepsTheLatestInArrivalOrder()
{
    QFETCH(int, appended);
    QFETCH(Values, kept);
    RecordList list(3);
    for (int value = 1; value <= appended; ++value)
        list.append(value);
    QCOMPARE(list.count(), kept.size());
    QCOMPARE(contents(list), kept);

    // What a save of the wrapped list writes: oldest first.
    RecordFile(m_path, list, *m_dialogs).save();
    QByteArray expected;
    for (double value : kept)
        expected += ' ' + QByteArray::number(value) + ' ';
    QCOMPARE(fileBytes(m_path), expected);
}

void TestRecords::numericCurrentPressureRepliesFillTheRecordList_data()
{
    QTest::addColumn<QByteArray>("replies");
    QTest::addColumn<Values>("recorded");
    QTest::newRow("current pressure") << QByteArray("Q01N01.5Y") << Values{1.5};
    QTest::newRow("negative") << QByteArray("Q00N-2.0Y") << Values{-2};
    QTest::newRow("blanks around a number") << QByteArray("Q00N 1.5Y") << Values{1.5};
    QTest::newRow("exponent") << QByteArray("Q00N1e-3Y") << Values{0.001};
    QTest::newRow("in arrival order") << QByteArray("Q00N01.5YQ00N00.9YQ00N01.1Y") << Values{1.5, 0.9, 1.1};
    QTest::newRow("not a number") << QByteArray("Q00NabcdYQ00N1.2.Y") << Values{};
    QTest::newRow("no infinity") << QByteArray("Q00Ninf Y") << Values{};
    QTest::newRow("set values are not recorded") << QByteArray("Q00P01.5YQ00L12.3Y") << Values{};
    QTest::newRow("dropped frame") << QByteArray("Q00N01.5y") << Values{};
}

void TestRecords::numericCurrentPressureRepliesFillTheRecordList()
{
    QFETCH(QByteArray, replies);
    QLabel LcurrP, LsetP, LsetF;
    PanelState state;
    ReplyHandler handler(LcurrP, LsetP, LsetF, state, state.savelist, [] {});
    handler.received(replies);
    QTEST(contents(state.savelist), "recorded");
}

void TestRecords::saveWritesFiveValueTextsToALineThenLoadShowsTheLast_data()
{
    QTest::addColumn<Values>("values");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("lastLine");
    QTest::newRow("no values: empty file") << Values{} << QByteArray() << "";
    QTest::newRow("five: one line with its end")
        << Values{1, 2, 3, 4, 5} << QByteArray(" 1  2  3  4  5 \r\n") << " 1  2  3  4  5 ";
    QTest::newRow("seven: a last line without end")
        << Values{1, 2, 3, 4, 5, 6, 7} << QByteArray(" 1  2  3  4  5 \r\n 6  7 ") << " 6  7 ";
    QTest::newRow("ten: ends with a line end")
        << Values{0, 0, 0, 0, 0, 1, 1, 1, 1, 1} << QByteArray(" 0  0  0  0  0 \r\n 1  1  1  1  1 \r\n")
        << " 1  1  1  1  1 ";
    QTest::newRow("1.5 and -2") << Values{1.5, -2} << QByteArray(" 1.5 -2 ") << " 1.5 -2 ";
    QTest::newRow("leading zero below one") << Values{0.5, -0.25} << QByteArray(" 0.5 -0.25 ") << " 0.5 -0.25 ";
    QTest::newRow("negative zero has no sign") << Values{-0.0} << QByteArray(" 0 ") << " 0 ";
    QTest::newRow("rounded to 15 digits") << Values{0.1 + 0.2, 2.0 / 3}
                                          << QByteArray(" 0.3  0.666666666666667 ") << " 0.3  0.666666666666667 ";
    QTest::newRow("15 digits stay plain") << Values{123456789012345.0, 0.0001}
                                          << QByteArray(" 123456789012345  0.0001 ") << " 123456789012345  0.0001 ";
    QTest::newRow("exponent beyond") << Values{1e20, 1e15, -1.5e-7, 1e-5}
                                     << QByteArray(" 1E+20  1E+15 -1.5E-07  1E-05 ") << " 1E+20  1E+15 -1.5E-07  1E-05 ";
}

void TestRecords::saveWritesFiveValueTextsToALineThenLoadShowsTheLast()
{
    QFETCH(Values, values);
    const RecordList list = listOf(values);

    RecordFile(m_path, list, *m_dialogs).save();
    QTEST(fileBytes(m_path), "file");
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].text, kSaved);
    QCOMPARE(m_dialogs->messages[0].title, QStringLiteral("存储数据"));

    RecordViewer viewer(m_path, *m_dialogs);
    viewer.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("typed"));
    viewer.load();
    QTEST(viewer.findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), "lastLine");
}

void TestRecords::valueTextsAreThoseOfPercentPoint15G()
{
    std::mt19937_64 random(15);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-300, 300);
    RecordList list;
    QByteArray expected;
    for (int i = 1; i <= 5000; ++i) {
        // Mostly the range a pump reports, the rest anywhere a double reaches.
        const double value = mantissa(random) * std::pow(10.0, i % 4 ? exponent(random) % 8 : exponent(random));
        list.append(value);
        char text[40];
        std::snprintf(text, sizeof text, "% .15G ", value);
        expected += text;
        if (i % 5 == 0)
            expected += "\r\n";
    }
    RecordFile(m_path, list, *m_dialogs).save();
    const QByteArray written = fileBytes(m_path);
    // Compare line by line so that a difference shows where it is.
    const QList<QByteArray> writtenLines = written.split('\n');
    const QList<QByteArray> expectedLines = expected.split('\n');
    QCOMPARE(writtenLines.size(), expectedLines.size());
    for (qsizetype i = 0; i < writtenLines.size(); ++i)
        QCOMPARE(writtenLines[i], expectedLines[i]);
}

void TestRecords::savingTwiceKeepsOnlyTheSecondList()
{
    const RecordList first = listOf({1, 2, 3, 4, 5, 6, 7});
    const RecordList second = listOf({8.5});
    RecordFile(m_path, first, *m_dialogs).save();
    RecordFile(m_path, second, *m_dialogs).save();
    QCOMPARE(fileBytes(m_path), QByteArray(" 8.5 "));
    // Nothing is left beside it.
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList{QStringLiteral("mytext.txt")});
    QCOMPARE(m_dialogs->messages.size(), 2);
}

void TestRecords::saveThatCannotWriteTellsAndKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("place");
    QTest::newRow("missing folder") << "missing/mytext.txt";
    QTest::newRow("folder under a file") << "plain/mytext.txt";
    QTest::newRow("a folder stands there") << "folder";
}

void TestRecords::saveThatCannotWriteTellsAndKeepsTheOldFile()
{
    QFETCH(QString, place);
    writeFile(m_folder->filePath(QStringLiteral("plain")), "old");
    QVERIFY(QDir(m_folder->path()).mkpath(QStringLiteral("folder")));
    const QString path = m_folder->filePath(place);
    const RecordList list = listOf({1.5});

    RecordFile(path, list, *m_dialogs).save();

    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].title, QStringLiteral("存储数据"));
    QVERIFY2(m_dialogs->messages[0].text.startsWith(QStringLiteral("记录文件无法保存：") + QDir::toNativeSeparators(path)),
             qPrintable(m_dialogs->messages[0].text));
    QCOMPARE(fileBytes(m_folder->filePath(QStringLiteral("plain"))), QByteArray("old"));
    QVERIFY(QFileInfo(m_folder->filePath(QStringLiteral("folder"))).isDir());
}

void TestRecords::failedWriteLeavesTheOldFileWhole()
{
#ifdef Q_OS_UNIX
    // A file size limit makes the writes fail part way, as a full disk does; root is bound by it too.
    writeFile(m_path, " 1 ");
    RecordList list;
    for (int i = 0; i < 100000; ++i)
        list.append(i);
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    RecordFile(m_path, list, *m_dialogs).save();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(fileBytes(m_path), QByteArray(" 1 "));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY2(m_dialogs->messages[0].text.startsWith(QStringLiteral("记录文件无法保存：")),
             qPrintable(m_dialogs->messages[0].text));
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList{QStringLiteral("mytext.txt")});
#else
    QSKIP("needs a file size limit");
#endif
}

void TestRecords::viewerLaysOutItsControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("text");
    QTest::newRow("Text1") << "Text1" << QRect(72, 64, 393, 137) << "";
    QTest::newRow("Command2") << "Command2" << QRect(408, 304, 57, 25) << "读取";
    QTest::newRow("Command1") << "Command1" << QRect(504, 304, 49, 25) << "退出";
}

void TestRecords::viewerLaysOutItsControls()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(QString, text);
    RecordViewer viewer(m_path, *m_dialogs);
    QCOMPARE(viewer.objectName(), QStringLiteral("Form2"));
    QCOMPARE(viewer.windowTitle(), QStringLiteral("泵启动和停止时间记录"));
    QVERIFY(!viewer.windowIcon().isNull());
    QCOMPARE(viewer.size(), QSize(578, 338));

    QWidget* control = viewer.findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), place);
    const auto* button = qobject_cast<QPushButton*>(control);
    QCOMPARE(button ? button->text() : qobject_cast<QLineEdit*>(control)->text(), text);

    // Tab order: Command1, Command2, Text1, and round again.
    QStringList order;
    QWidget* at = viewer.findChild<QWidget*>(QStringLiteral("Command1"));
    for (int i = 0; i < 4; ++i, at = at->nextInFocusChain())
        order << at->objectName();
    QCOMPARE(order, (QStringList{"Command1", "Command2", "Text1", "Form2"}));
}

void TestRecords::loadTakesTheLastLine_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty line at the end") << QByteArray(" 1 \r\n\r\n") << "";
    QTest::newRow("one line, no end") << QByteArray(" 1 ") << " 1 ";
    QTest::newRow("bare line feeds") << QByteArray("a\nb\n") << "b";
    QTest::newRow("bytes beyond ASCII") << QByteArray("x\r\n\xb5 1") << QString::fromLatin1("\xb5 1");
}

void TestRecords::loadTakesTheLastLine()
{
    QFETCH(QByteArray, file);
    writeFile(m_path, file);
    RecordViewer viewer(m_path, *m_dialogs);
    viewer.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    QTEST(viewer.findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), "shown");
    QVERIFY(m_dialogs->messages.isEmpty());
}

void TestRecords::loadThatCannotReadTellsAndKeepsText1_data()
{
    QTest::addColumn<QString>("place");
    QTest::newRow("no record file") << "mytext.txt";
    QTest::newRow("a folder stands there") << "folder";
}

void TestRecords::loadThatCannotReadTellsAndKeepsText1()
{
    QFETCH(QString, place);
    QVERIFY(QDir(m_folder->path()).mkpath(QStringLiteral("folder")));
    const QString path = m_folder->filePath(place);
    RecordViewer viewer(path, *m_dialogs);
    auto* Text1 = viewer.findChild<QLineEdit*>(QStringLiteral("Text1"));
    Text1->setText(QStringLiteral("typed"));

    viewer.load();

    QCOMPARE(Text1->text(), QStringLiteral("typed"));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].title, QStringLiteral("读取记录"));
    QVERIFY2(m_dialogs->messages[0].text.startsWith(QStringLiteral("记录文件无法读取：") + QDir::toNativeSeparators(path)),
             qPrintable(m_dialogs->messages[0].text));
}

void TestRecords::exitShowsTheMainWindowFirstThenHides()
{
    QWidget mainWindow;
    RecordViewer viewer(m_path, *m_dialogs);
    viewer.show();
    viewer.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("kept"));
    bool viewerShownWhenAsked = false;
    connect(&viewer, &RecordViewer::showMainWindow, &mainWindow, [&] {
        viewerShownWhenAsked = viewer.isVisible();
        mainWindow.show();
    });

    viewer.findChild<QPushButton*>(QStringLiteral("Command1"))->click();

    QVERIFY(viewerShownWhenAsked);
    QVERIFY(mainWindow.isVisible());
    QVERIFY(viewer.isHidden());
    QCOMPARE(viewer.findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), QStringLiteral("kept"));
}

void TestRecords::printGivesOnePagePerCopy_data()
{
    QTest::addColumn<std::optional<int>>("copies");
    QTest::addColumn<int>("pages");
    QTest::newRow("one copy") << std::optional<int>(1) << 1;
    QTest::newRow("three copies") << std::optional<int>(3) << 3;
    QTest::newRow("no copies") << std::optional<int>(0) << 0;
    QTest::newRow("copies below zero") << std::optional<int>(-2) << 0;
    QTest::newRow("cancel") << std::optional<int>() << 0;
}

void TestRecords::printGivesOnePagePerCopy()
{
    QFETCH(std::optional<int>, copies);
    QFETCH(int, pages);
    const QString pdf = m_folder->filePath(QStringLiteral("test.pdf"));
    QPrinter Printer;
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(pdf);
    m_dialogs->printCopies(copies);

    TestPrint(Printer, *m_dialogs).print();

    QCOMPARE(m_dialogs->printDialogs, 1);
    QVERIFY(m_dialogs->messages.isEmpty());
    if (pages == 0) {
        QVERIFY(!QFile::exists(pdf));
        return;
    }
    // The printer makes no copies of its own on top of ours.
    QCOMPARE(Printer.copyCount(), 1);
    const auto info = pdfTool("pdfinfo", {pdf});
    const auto text = pdfTool("pdftotext", {pdf, QStringLiteral("-")});
    if (!info || !text)
        QSKIP("pdfinfo and pdftotext (poppler-utils) are needed to read the printed pages back");
    QVERIFY2(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))), qPrintable(*info));
    // pdftotext ends every page with a form feed.
    QStringList pageTexts = text->split(QLatin1Char('\f'));
    QCOMPARE(pageTexts.takeLast().trimmed(), QString());
    QCOMPARE(pageTexts.size(), pages);
    for (const QString& page : std::as_const(pageTexts))
        QCOMPARE(page.trimmed(), QStringLiteral("打印测试"));
}

void TestRecords::printerThatFailsIsTold()
{
    const QString pdf = m_folder->filePath(QStringLiteral("missing/test.pdf"));
    QPrinter Printer;
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(pdf);
    m_dialogs->printCopies(2);

    TestPrint(Printer, *m_dialogs).print();

    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].text, QStringLiteral("打印失败：") + QDir::toNativeSeparators(pdf));
    QCOMPARE(m_dialogs->messages[0].title, QStringLiteral("打印"));
}

void TestRecords::windowSavesViewsAndPrints()
{
    // The window keeps its record file in the home folder.
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(m_folder->path()));
    const auto restoreHome = qScopeGuard([&] { qputenv("HOME", home); });
    PtyPair pty;
    MainWindow window(&*m_dialogs);
    window.show();
    m_dialogs->answer(pty.device());
    window.findChild<QAction*>(QStringLiteral("Communication"))->trigger();

    QStringList items;
    for (QAction* action : window.findChild<QMenu*>(QStringLiteral("file"))->actions())
        items << action->objectName() + QLatin1Char('=') + action->text();
    QCOMPARE(items, (QStringList{"save=保存", "print=打印", "viewRecords=查看记录", "end=退出"}));

    pty.write("Q00N01.5YQ00N-2.0YQ00NabcdY");
    QTRY_COMPARE(window.findChild<QLabel*>(QStringLiteral("LcurrP"))->text(), QStringLiteral("abcd"));
    window.findChild<QAction*>(QStringLiteral("save"))->trigger();
    QCOMPARE(fileBytes(m_path), QByteArray(" 1.5 -2 "));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].text, kSaved);

    QVERIFY(!window.findChild<QWidget*>(QStringLiteral("Form2")));
    window.findChild<QAction*>(QStringLiteral("viewRecords"))->trigger();
    auto* Form2 = window.findChild<RecordViewer*>(QStringLiteral("Form2"));
    QVERIFY(Form2 && Form2->isVisible());
    Form2->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    QCOMPARE(Form2->findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), QStringLiteral(" 1.5 -2 "));
    Form2->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    QVERIFY(Form2->isHidden());
    QVERIFY(window.isVisible());
    // Shown again it is the same window, with its text.
    window.findChild<QAction*>(QStringLiteral("viewRecords"))->trigger();
    QCOMPARE(window.findChildren<RecordViewer*>().size(), 1);
    QCOMPARE(Form2->findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), QStringLiteral(" 1.5 -2 "));

    QAction* print = window.findChild<QAction*>(QStringLiteral("print"));
    m_dialogs->printCopies(std::nullopt);
    print->trigger();
    QCOMPARE(m_dialogs->printDialogs, 1);
    QCOMPARE(m_dialogs->messages.size(), 1);
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("a printer is installed here; the test prints nothing on it");
    // With no printer and no file chosen there is nowhere for the page to go.
    m_dialogs->printCopies(1);
    print->trigger();
    QCOMPARE(m_dialogs->messages.size(), 2);
    QCOMPARE(m_dialogs->messages[1].title, QStringLiteral("打印"));
    QVERIFY2(m_dialogs->messages[1].text.startsWith(QStringLiteral("打印失败：")), qPrintable(m_dialogs->messages[1].text));
}

QTEST_MAIN(TestRecords)
#include "test_records.moc"
