#pragma once

#include "line_faults.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

// What the simulated pump is told on its command line.
struct Options {
    int address = 0;
    std::string link;
    bool lineDelay = true;
    LineFaults faults;
    std::optional<double> hangupAfter;
    std::optional<std::uint64_t> seed;
    std::string log;
    long flood = 0;
    bool help = false;
};

// A command line the simulator cannot run with; the text says which argument and why.
class OptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws OptionError on an unknown option, a missing value or a value out of range.
Options parseOptions(int argc, char* argv[]);

extern const char* const kUsage;
