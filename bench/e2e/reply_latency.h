#pragma once

// Plays the pump on a pseudo-terminal: writes replies at the line's pace, one at a time, and
// times each from its last byte written to the current pressure label showing it. Prints the
// median and 99th percentile. 0 when the target is met.
int replyLatency(int replies);
