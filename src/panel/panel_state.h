#pragma once

#include "records/record_list.h"

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

    // Index of the chart's next sample, 0 to 99.
    qint16 itime = 0;
    // The chart's samples by index -1 to 101; index -1 stays 0.0 and starts every sweep.
    double& prhist(int index) { return m_prhist.at(static_cast<std::size_t>(index + 1)); }
    double prhist(int index) const { return m_prhist.at(static_cast<std::size_t>(index + 1)); }

    // Elapsed seconds of a timed run; 32 bits, so runs beyond 546 minutes count on.
    qint32 tset = 0;
    // Set time of a timed run, in minutes.
    double timeset = 0.0;

    // The record list: the latest current-pressure values, oldest first; savelist.count() is the
    // number of values a save writes (saveprcout).
    RecordList savelist;

private:
    std::array<double, 103> m_prhist{};
};
