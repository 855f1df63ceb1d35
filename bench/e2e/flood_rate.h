#pragma once

// The simulated pump, without line delay, answers the first poll with flood more replies;
// prints how fast the panel applied them and whether any was lost. 0 when the target is met.
int floodRate(long flood);
