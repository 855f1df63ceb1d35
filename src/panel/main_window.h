#pragma once

#include "panel/panel_state.h"

#include <QMainWindow>
#include <memory>

class CommandWriter;
class Dialogs;
class KeyButton;
class Keypad;
class LinkHealth;
class PictureBox;
class PortConnection;
class QLabel;
class QMenu;
class QPrinter;
class QTimer;
class RecordFile;
class RecordViewer;
class ReplyHandler;
class RunStop;
class RunTimer;
class SerialPort;
class SetpointPrompts;
class Surface;
class TestPrint;
class TrendChart;

// The panel's one window: it builds every control, owns the panel state, the serial line and
// the dialogs, and hands each handler only what that handler touches.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Without dialogs of its own the window uses Qt's.
    explicit MainWindow(Dialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLabels();
    void buildKeypad();
    void buildMenus();
    void startUp();
    void wireLink();
    void wireOperatorCommands();
    void wireRecords();
    void wireChartAndRunTimer();
    void popup(const QPoint& globalPosition);

    std::unique_ptr<Dialogs> m_ownDialogs;
    Dialogs& m_dialogs;
    PanelState m_state;

    Surface* m_surface = nullptr;
    QLabel* m_LcurrP = nullptr;
    QLabel* m_LsetP = nullptr;
    QLabel* m_LsetF = nullptr;
    QLabel* m_LSetState = nullptr;
    QLabel* m_Lstate = nullptr;
    QList<QLabel*> m_runClock; // lhour, lmin, lsed, Label1, Label2, Label3, in this order
    struct DigitKey {
        char digit;
        KeyButton* key;
    };
    QList<DigitKey> m_digitKeys; // the three members of Cmd0, and Cmd1 to Cmd9
    KeyButton* m_Cmdl = nullptr;
    KeyButton* m_Cmdp = nullptr;
    KeyButton* m_Cmdr = nullptr;
    KeyButton* m_Cmds = nullptr;
    PictureBox* m_Picture1 = nullptr;

    QMenu* m_file = nullptr;
    QMenu* m_settime = nullptr;
    QMenu* m_operation = nullptr;
    QMenu* m_Pump = nullptr;
    QMenu* m_seting = nullptr;
    QMenu* m_rightkey = nullptr;
    QAction* m_Communication = nullptr;

    QTimer* m_Timer1 = nullptr;
    QTimer* m_Timer2 = nullptr;
    SerialPort* m_MSComm1 = nullptr;

    std::unique_ptr<LinkHealth> m_linkHealth;
    std::unique_ptr<PortConnection> m_portConnection;
    std::unique_ptr<ReplyHandler> m_replyHandler;
    std::unique_ptr<CommandWriter> m_commandWriter;

    // Handlers of the operator's commands, the chart, the timed run and the records.
    std::unique_ptr<RunStop> m_runStop;
    std::unique_ptr<Keypad> m_keypad;
    std::unique_ptr<SetpointPrompts> m_setpointPrompts;
    std::unique_ptr<QPrinter> m_Printer; // made for the first print
    std::unique_ptr<RecordFile> m_recordFile;
    std::unique_ptr<TestPrint> m_testPrint;
    RecordViewer* m_Form2 = nullptr; // made when first shown
    std::unique_ptr<TrendChart> m_trendChart;
    std::unique_ptr<RunTimer> m_runTimer;
};
