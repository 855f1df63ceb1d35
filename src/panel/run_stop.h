#pragma once

class CommandSink;
class QLabel;

// Run and stop from the Pump menu, the right-button popup and the keypad. Only the keys set
// Lstate, so the label tells which key was pressed last, not what the pump is doing.
class RunStop {
public:
    RunStop(QLabel& Lstate, CommandSink& sink);

    // The menu and popup items: the frame alone.
    void run();
    void stop();
    // The keys RUN and STOP: the frame, then the label.
    void runKey();
    void stopKey();

private:
    QLabel& m_Lstate;
    CommandSink& m_sink;
};
