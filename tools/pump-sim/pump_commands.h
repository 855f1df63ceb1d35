#pragma once

#include "pump_model.h"

#include <string>
#include <string_view>
#include <vector>

// The pump's side of the protocol: obeys command frames for its own pump number and for 00,
// and says which reply frames answer them. Frames it does not understand change nothing.
class PumpCommands {
public:
    // flood: extra current-pressure replies that follow the answer to the first poll.
    PumpCommands(PumpModel& model, int address, long flood);

    std::vector<std::string> obey(std::string_view frame);

private:
    std::vector<std::string> setpoint(char letter, std::string_view value);
    std::string reply(char letter, long tenths) const;

    PumpModel& m_model;
    std::string m_address;
    long m_flood;
};
