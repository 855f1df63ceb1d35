#pragma once

// The faults a test can ask the simulated line to show in the pump's replies.
struct LineFaults {
    double noise = 0.0; // probability of a stray byte before a reply
    double drop = 0.0;  // probability that a reply is left out
    bool split = false; // each reply in two writes with a gap
    bool coalesce = false; // replies close together held and written as one
    bool silent = false;   // commands obeyed, never answered
};
