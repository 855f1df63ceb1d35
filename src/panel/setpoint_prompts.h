#pragma once

#include <QString>

class CommandSink;
class Dialogs;
struct PanelState;

// The seting menu's prompts: flow and pressure are sent at once to pump 00; the pump number is
// only stored, for the keypad's frames.
class SetpointPrompts {
public:
    SetpointPrompts(PanelState& state, CommandSink& sink, Dialogs& dialogs);

    void flow();
    void pressure();
    void pumpNumber();

private:
    struct Prompt {
        QString text;
        QString title;
        QString defaultAnswer;
        double limit;
        char letter;
        QString refusal;
        double& answered;
    };

    void ask(const Prompt& prompt);

    PanelState& m_state;
    CommandSink& m_sink;
    Dialogs& m_dialogs;
    const Prompt m_flow;
    const Prompt m_pressure;
};
