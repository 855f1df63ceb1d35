#pragma once

class PictureBox;
class QLabel;
struct PanelState;

// The pressure trend: one sample of the current pressure caption per reply frame, drawn as a
// red line in sweeps of 100 samples over the x axis.
class TrendChart {
public:
    TrendChart(PictureBox& Picture1, const QLabel& LcurrP, PanelState& state);

    // The last steps of start-up: the box's user scale and the start of the first sweep.
    void setUp();
    // One sample: axis and ticks, the segment to the new sample, and a clear after the 100th.
    void update();

private:
    PictureBox& m_Picture1;
    const QLabel& m_LcurrP;
    PanelState& m_state;
};
