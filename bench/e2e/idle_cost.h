#pragma once

// The panel connected to the simulated pump at the line's pace, doing nothing but poll and show
// the replies for seconds; prints the CPU time it used a minute. 0 when the target is met.
int idleCost(int seconds);
