#include "panel/main_window.h"

#include "chart/trend_chart.h"
#include "link/command_writer.h"
#include "link/link_health.h"
#include "link/port_connection.h"
#include "link/reply_handler.h"
#include "panel/artwork.h"
#include "panel/fonts.h"
#include "panel/key_button.h"
#include "panel/keypad.h"
#include "panel/run_stop.h"
#include "panel/setpoint_prompts.h"
#include "panel/surface.h"
#include "panel/twips.h"
#include "platform/picture_box.h"
#include "platform/qt_dialogs.h"
#include "platform/serial_port.h"
#include "records/record_file.h"
#include "records/record_viewer.h"
#include "records/test_print.h"
#include "runtimer/run_timer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QTimer>

namespace {

const QColor kBlue(0, 0, 255);

struct LabelPlace {
    const char* name;
    int left, top, width, height;
    double pointSize;
    const char* text;
    bool black;
};

QLabel* makeLabel(QWidget* parent, const LabelPlace& place)
{
    auto* label = new QLabel(QString::fromUtf8(place.text), parent);
    label->setObjectName(QString::fromLatin1(place.name));
    label->setGeometry(twipsRect(place.left, place.top, place.width, place.height));
    label->setFont(songFont(place.pointSize));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(true);
    // A press on a label is not a press on the window's surface.
    label->setAttribute(Qt::WA_NoMousePropagation);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, kBlue);
    palette.setColor(QPalette::WindowText,
                     place.black ? QColor(Qt::black) : QApplication::palette().color(QPalette::ButtonText));
    label->setPalette(palette);
    return label;
}

QAction* addItem(QMenu* menu, const char* name, const char* caption)
{
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QMenu* addMenu(QMenuBar* bar, const char* name, const char* caption)
{
    QMenu* menu = bar->addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

void setMenuEnabled(QMenu* menu, bool enabled)
{
    menu->setEnabled(enabled);
    menu->menuAction()->setEnabled(enabled);
}

} // namespace

MainWindow::MainWindow(Dialogs* dialogs, QWidget* parent)
    : QMainWindow(parent)
    , m_ownDialogs(dialogs ? nullptr : std::make_unique<QtDialogs>(this))
    , m_dialogs(dialogs ? *dialogs : *m_ownDialogs)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Duravel(KVR6718)V2.0"));
    setWindowIcon(artwork::windowIcon());

    m_surface = new Surface(artwork::background(), this);
    m_surface->setObjectName(QStringLiteral("Form1Surface"));
    m_surface->setFixedSize(twipsToPixels(10905), twipsToPixels(7530));
    setCentralWidget(m_surface);

    buildLabels();
    buildKeypad();

    m_Picture1 = new PictureBox(m_surface);
    m_Picture1->setObjectName(QStringLiteral("Picture1"));
    m_Picture1->setGeometry(twipsRect(600, 4680, 9975, 2175));
    m_Picture1->setAttribute(Qt::WA_NoMousePropagation);
    QPalette chartPalette = m_Picture1->palette();
    chartPalette.setColor(QPalette::Base, Qt::white);
    m_Picture1->setPalette(chartPalette);

    m_Timer1 = new QTimer(this);
    m_Timer1->setObjectName(QStringLiteral("Timer1"));
    m_Timer1->setTimerType(Qt::PreciseTimer);
    m_Timer2 = new QTimer(this);
    m_Timer2->setObjectName(QStringLiteral("Timer2"));
    m_Timer2->setTimerType(Qt::PreciseTimer);
    m_MSComm1 = new SerialPort(this);
    m_MSComm1->setObjectName(QStringLiteral("MSComm1"));

    buildMenus();
    startUp();
    wireLink();
    wireOperatorCommands();
    wireRecords();
    wireChartAndRunTimer();
    connect(m_surface, &Surface::rightButtonPressed, this, &MainWindow::popup);

    move(twipsToPixels(2025), twipsToPixels(2115));
}

MainWindow::~MainWindow() = default;

void MainWindow::buildLabels()
{
    static const LabelPlace places[] = {
        {"Label4", 6720, 600, 1215, 375, 14.25, "当前压力", true},
        {"LcurrP", 7920, 600, 615, 375, 12, "00.0", false},
        {"Label5", 8520, 600, 705, 375, 12, " MPa", false},
        {"Label4", 6720, 960, 1215, 375, 14.25, "设定压力", true},
        {"LsetP", 7920, 960, 615, 375, 12, "02.0", false},
        {"Label5", 8520, 960, 705, 375, 12, " MPa", false},
        {"Label4", 6720, 1320, 1215, 375, 14.25, "设定流量", true},
        {"LsetF", 7920, 1320, 615, 375, 12, "00.0", false},
        {"Label5", 8520, 1320, 705, 375, 12, " ml/m", false},
        {"LSetState", 6720, 1680, 1215, 375, 12, "", false},
        {"Lstate", 7920, 1680, 1320, 375, 12, "     STOP", false},
        {"lhour", 0, 0, 615, 375, 15.75, "00", false},
        {"Label1", 600, 0, 495, 375, 15.75, "时", false},
        {"lmin", 1080, 0, 495, 375, 15.75, "00", false},
        {"Label2", 1560, 0, 495, 375, 15.75, "分", false},
        {"lsed", 2040, 0, 615, 375, 15.75, "00", false},
        {"Label3", 2640, 0, 495, 375, 15.75, "秒", false},
    };
    QHash<QString, QLabel*> byName;
    int member = 0;
    for (const LabelPlace& place : places) {
        QLabel* label = makeLabel(m_surface, place);
        // Label4 and Label5 are groups of three, told apart by their member number.
        if (label->objectName() == QLatin1String("Label4") || label->objectName() == QLatin1String("Label5"))
            label->setProperty("index", member++ / 2);
        byName.insert(label->objectName(), label);
    }
    m_LcurrP = byName.value(QStringLiteral("LcurrP"));
    m_LsetP = byName.value(QStringLiteral("LsetP"));
    m_LsetF = byName.value(QStringLiteral("LsetF"));
    m_LSetState = byName.value(QStringLiteral("LSetState"));
    m_Lstate = byName.value(QStringLiteral("Lstate"));
    for (const char* name : {"lhour", "lmin", "lsed", "Label1", "Label2", "Label3"})
        m_runClock << byName.value(QString::fromLatin1(name));
}

void MainWindow::buildKeypad()
{
    using artwork::KeyFace;
    struct KeyPlace {
        const char* name;
        int member; // member number within the Cmd0 group, else -1
        KeyFace face;
        int column, row;
    };
    static const KeyPlace places[] = {
        {"Cmd0", 13, KeyFace::Digit0, 0, 0}, {"Cmd1", -1, KeyFace::Digit1, 1, 0},
        {"Cmd2", -1, KeyFace::Digit2, 2, 0}, {"Cmd3", -1, KeyFace::Digit3, 3, 0},
        {"Cmd4", -1, KeyFace::Digit4, 0, 1}, {"Cmd5", -1, KeyFace::Digit5, 1, 1},
        {"Cmd6", -1, KeyFace::Digit6, 2, 1}, {"Cmd7", -1, KeyFace::Digit7, 3, 1},
        {"Cmd8", -1, KeyFace::Digit8, 0, 2}, {"Cmd9", -1, KeyFace::Digit9, 1, 2},
        {"Cmd0", 0, KeyFace::Up, 2, 2},      {"Cmd0", 1, KeyFace::Down, 3, 2},
        {"Cmdl", -1, KeyFace::L, 0, 3},      {"Cmdp", -1, KeyFace::P, 1, 3},
        {"Cmdr", -1, KeyFace::Run, 2, 3},    {"Cmds", -1, KeyFace::Stop, 3, 3},
    };
    static const int columns[] = {6720, 7360, 8020, 8680};
    static const int rows[] = {2160, 2640, 3120, 3600};
    for (const KeyPlace& place : places) {
        auto* key = new KeyButton(artwork::keyFace(place.face), m_surface);
        key->setObjectName(QString::fromLatin1(place.name));
        key->setGeometry(twipsRect(columns[place.column], rows[place.row], 615, 375));
        key->setFont(songFont(14.25));
        const QString name = key->objectName();
        if (place.member >= 0) {
            key->setProperty("index", place.member);
            m_digitKeys.append({'0', key});
        } else if (name.size() == 4 && name[3].isDigit()) {
            m_digitKeys.append({name[3].toLatin1(), key});
        } else if (name == QLatin1String("Cmdl")) {
            m_Cmdl = key;
        } else if (name == QLatin1String("Cmdp")) {
            m_Cmdp = key;
        } else if (name == QLatin1String("Cmdr")) {
            m_Cmdr = key;
        } else {
            m_Cmds = key;
        }
    }
}

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();
    m_file = addMenu(bar, "file", "文件(F)");
    addItem(m_file, "save", "保存");
    addItem(m_file, "print", "打印");
    addItem(m_file, "viewRecords", "查看记录");
    QAction* end = addItem(m_file, "end", "退出");
    // Exit ends the program at once, without the close step.
    connect(end, &QAction::triggered, this, [] { QCoreApplication::exit(0); });

    m_settime = addMenu(bar, "settime", "定时(T)");
    addItem(m_settime, "stset", "设定");
    m_operation = m_settime->addMenu(QStringLiteral("操作"));
    m_operation->setObjectName(QStringLiteral("operation"));
    m_operation->menuAction()->setObjectName(QStringLiteral("operation"));
    addItem(m_operation, "ststart", "开始");
    addItem(m_operation, "stzanting", "暂停");
    addItem(m_operation, "stcontiune", "继续");
    addItem(m_operation, "stend", "结束");

    m_Pump = addMenu(bar, "Pump", "泵(O)");
    addItem(m_Pump, "run", "运行");
    addItem(m_Pump, "stop", "停止");

    m_seting = addMenu(bar, "seting", "设定(S)");
    addItem(m_seting, "liquid", "流量");
    addItem(m_seting, "pressure", "压力");
    addItem(m_seting, "Pump_NO", "泵编号");

    m_Communication = bar->addAction(QStringLiteral("通信"));
    m_Communication->setObjectName(QStringLiteral("Communication"));

    // Never in the bar: it opens only as the right-button popup.
    m_rightkey = new QMenu(QStringLiteral("右键"), this);
    m_rightkey->setObjectName(QStringLiteral("rightkey"));
    addItem(m_rightkey, "rrun", "运行");
    addItem(m_rightkey, "rstop", "停止");

    // Shown, with nothing behind it.
    QAction* help = bar->addAction(QStringLiteral("帮助(H)"));
    help->setObjectName(QStringLiteral("help"));

    // Captions in the labels' face, which the window loads anyway.
    bar->setFont(inSongFace(bar->font()));
    for (QMenu* menu : findChildren<QMenu*>())
        menu->setFont(inSongFace(menu->font()));
}

void MainWindow::startUp()
{
    for (QMenu* menu : {m_file, m_settime, m_Pump, m_rightkey, m_seting})
        setMenuEnabled(menu, false);
    m_state.lq = 0;
    m_state.pr = 0;
    m_state.Set_Pump_NO = 0;
    m_Timer1->setInterval(1000);
    m_Timer1->stop();
    m_Timer2->setInterval(1500);
    m_Timer2->stop();
    for (QLabel* label : std::as_const(m_runClock))
        label->setVisible(false);
}

void MainWindow::wireLink()
{
    m_linkHealth = std::make_unique<LinkHealth>(*m_LcurrP, *m_LsetP, *m_LsetF);
    m_portConnection = std::make_unique<PortConnection>(*m_MSComm1, m_dialogs, *m_linkHealth,
        QList<QMenu*>{m_file, m_settime, m_Pump, m_rightkey, m_seting}, *m_Timer2);
    m_replyHandler = std::make_unique<ReplyHandler>(*m_LcurrP, *m_LsetP, *m_LsetF, m_state, m_state.savelist,
                                                    [this] {
                                                        m_linkHealth->frameApplied();
                                                        m_trendChart->update();
                                                    });
    m_commandWriter = std::make_unique<CommandWriter>(*m_MSComm1, m_dialogs);

    connect(m_Communication, &QAction::triggered, this, [this] { m_portConnection->portCommand(); });
    connect(m_Timer2, &QTimer::timeout, this, [this] { m_portConnection->pollTick(); });
    connect(m_MSComm1, &SerialPort::received, this,
            [this](const QByteArray& bytes) { m_replyHandler->received(bytes); });
    // Queued: the message waits for the operator, and it must not wait inside the port's own signal.
    connect(m_MSComm1, &SerialPort::lineLost, this,
            [this](const QString& reason) { m_portConnection->lineLost(reason); }, Qt::QueuedConnection);
}

void MainWindow::popup(const QPoint& globalPosition)
{
    // A disabled menu cannot be opened: before the port is open the press does nothing.
    if (m_rightkey->isEnabled())
        m_rightkey->popup(globalPosition);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    m_portConnection->closeStep();
    event->accept();
}

void MainWindow::wireChartAndRunTimer()
{
    // The chart's set-up is the last step of start-up; no reply can reach the chart before it.
    m_trendChart = std::make_unique<TrendChart>(*m_Picture1, *m_LcurrP, m_state);
    m_trendChart->setUp();

    const RunClock clock{*m_runClock[0], *m_runClock[1], *m_runClock[2],
                         *m_runClock[3], *m_runClock[4], *m_runClock[5]};
    m_runTimer = std::make_unique<RunTimer>(m_state, *m_Timer1, clock, *m_commandWriter, m_dialogs);
    const auto item = [this](const char* name) { return m_settime->findChild<QAction*>(QString::fromLatin1(name)); };
    connect(item("stset"), &QAction::triggered, this, [this] { m_runTimer->set(); });
    connect(item("ststart"), &QAction::triggered, this, [this] { m_runTimer->start(); });
    connect(item("stzanting"), &QAction::triggered, this, [this] { m_runTimer->pause(); });
    connect(item("stcontiune"), &QAction::triggered, this, [this] { m_runTimer->resume(); });
    connect(item("stend"), &QAction::triggered, this, [this] { m_runTimer->end(); });
    connect(m_Timer1, &QTimer::timeout, this, [this] { m_runTimer->tick(); });
}

void MainWindow::wireRecords()
{
    const QString recordPath = defaultRecordPath();
    m_recordFile = std::make_unique<RecordFile>(recordPath, m_state.savelist, m_dialogs);

    const auto item = [this](const char* name) { return m_file->findChild<QAction*>(QString::fromLatin1(name)); };
    connect(item("save"), &QAction::triggered, this, [this] { m_recordFile->save(); });
    connect(item("print"), &QAction::triggered, this, [this] {
        // The print support loads with the first printer: made on first use, not at start-up.
        if (!m_testPrint) {
            m_Printer = std::make_unique<QPrinter>();
            m_testPrint = std::make_unique<TestPrint>(*m_Printer, m_dialogs);
        }
        m_testPrint->print();
    });
    connect(item("viewRecords"), &QAction::triggered, this, [this, recordPath] {
        if (!m_Form2) {
            m_Form2 = new RecordViewer(recordPath, m_dialogs, this);
            connect(m_Form2, &RecordViewer::showMainWindow, this, &QWidget::show);
        }
        m_Form2->show();
        m_Form2->raise();
    });
}

void MainWindow::wireOperatorCommands()
{
    m_runStop = std::make_unique<RunStop>(*m_Lstate, *m_commandWriter);
    m_keypad = std::make_unique<Keypad>(m_state, *m_LsetF, *m_LsetP, *m_LSetState, *m_commandWriter, m_dialogs);
    m_setpointPrompts = std::make_unique<SetpointPrompts>(m_state, *m_commandWriter, m_dialogs);

    const auto item = [](QMenu* menu, const char* name) { return menu->findChild<QAction*>(QString::fromLatin1(name)); };
    connect(item(m_Pump, "run"), &QAction::triggered, this, [this] { m_runStop->run(); });
    connect(item(m_Pump, "stop"), &QAction::triggered, this, [this] { m_runStop->stop(); });
    connect(item(m_rightkey, "rrun"), &QAction::triggered, this, [this] { m_runStop->run(); });
    connect(item(m_rightkey, "rstop"), &QAction::triggered, this, [this] { m_runStop->stop(); });
    connect(m_Cmdr, &KeyButton::clicked, this, [this] { m_runStop->runKey(); });
    connect(m_Cmds, &KeyButton::clicked, this, [this] { m_runStop->stopKey(); });

    connect(m_Cmdl, &KeyButton::clicked, this, [this] { m_keypad->keyL(); });
    connect(m_Cmdp, &KeyButton::clicked, this, [this] { m_keypad->keyP(); });
    for (const DigitKey& key : std::as_const(m_digitKeys))
        connect(key.key, &KeyButton::clicked, this, [this, digit = key.digit] { m_keypad->digit(digit); });

    connect(item(m_seting, "liquid"), &QAction::triggered, this, [this] { m_setpointPrompts->flow(); });
    connect(item(m_seting, "pressure"), &QAction::triggered, this, [this] { m_setpointPrompts->pressure(); });
    connect(item(m_seting, "Pump_NO"), &QAction::triggered, this, [this] { m_setpointPrompts->pumpNumber(); });
}
