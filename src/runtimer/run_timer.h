#pragma once

class CommandSink;
class Dialogs;
class QLabel;
class QTimer;
struct PanelState;

// The six labels of the run clock, shown and hidden together in this order.
struct RunClock {
    QLabel& lhour;
    QLabel& lmin;
    QLabel& lsed;
    QLabel& Label1;
    QLabel& Label2;
    QLabel& Label3;
};

// The timed run: the operator sets minutes, starts the pump, and the clock counts the seconds
// up and stops the pump by itself when the set time is reached.
class RunTimer {
public:
    // Timer1 paces the ticks; its interval is the window's to set.
    RunTimer(PanelState& state, QTimer& Timer1, const RunClock& clock, CommandSink& sink, Dialogs& dialogs);

    void set();
    void start();
    void pause();
    void resume();
    void end();
    // One elapsed second: Timer1's timeout.
    void tick();

private:
    void showClock(bool shown);

    PanelState& m_state;
    QTimer& m_Timer1;
    RunClock m_clock;
    CommandSink& m_sink;
    Dialogs& m_dialogs;
};
