#pragma once

#include <QtGlobal>
#include <array>

// The main window's variables, shared by the handlers. Nothing of it outlives the program.
struct PanelState {
    // Keypad entry flags: 1 while a flow (lq) or pressure (pr) entry is open.
    qint16 lq = 0;
    qint16 pr = 0;
    // The pump number that keypad setpoint frames address.
    qint16 Set_Pump_NO = 0;
    // Last answers to the flow and pressure prompts.
    double setliq = 0.0;
    double setpresure = 0.0;
};
