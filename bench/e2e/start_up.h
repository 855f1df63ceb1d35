#pragma once

#include <QString>

// Start-up to first paint and peak memory of the panel beside the minimal window, each program
// started runs times, alternately; prints the medians and their ratio. 0 when both targets are met.
int startUp(const QString& panelProgram, const QString& minimalProgram, int runs);
