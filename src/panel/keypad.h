#pragma once

#include <QString>
#include <QtGlobal>

class CommandSink;
class Dialogs;
class QLabel;
struct PanelState;

// The on-screen keypad's setpoint entry: L or P opens an entry typed straight into the flow or
// pressure label, the point comes by itself after two digits, and the third digit completes the
// entry and sends it to the selected pump.
class Keypad {
public:
    Keypad(PanelState& state, QLabel& LsetF, QLabel& LsetP, QLabel& LSetState, CommandSink& sink,
           Dialogs& dialogs);

    void keyL();
    void keyP();
    // Any digit key; the two triangle keys enter 0 like the 0 key.
    void digit(char d);

private:
    struct Entry {
        qint16& flag;
        QLabel& label;
        QString mode;
        double limit;
        char letter;
        QString refusal;
    };

    void open(const Entry& entry);
    void type(const Entry& entry, char d);
    void complete(const Entry& entry);

    PanelState& m_state;
    QLabel& m_LSetState;
    CommandSink& m_sink;
    Dialogs& m_dialogs;
    const Entry m_flow;
    const Entry m_pressure;
};
