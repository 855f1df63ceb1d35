#include "pump_commands.h"

#include <cmath>
#include <cstdio>
#include <optional>

namespace {

constexpr long kMaxFlowTenths = 500;    // 50 ml/min
constexpr long kMaxPressureTenths = 20; // 2 MPa

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A value field "DD.D" in tenths; anything else is not a value.
std::optional<long> tenths(std::string_view field)
{
    if (field.size() != 4 || !isDigit(field[0]) || !isDigit(field[1]) || field[2] != '.' || !isDigit(field[3]))
        return std::nullopt;
    return (field[0] - '0') * 100L + (field[1] - '0') * 10L + (field[3] - '0');
}

} // namespace

PumpCommands::PumpCommands(PumpModel& model, int address, long flood) : m_model(model), m_flood(flood)
{
    char text[3];
    std::snprintf(text, sizeof text, "%02d", address);
    m_address = text;
}

std::vector<std::string> PumpCommands::obey(std::string_view frame)
{
    // The reader hands over only nine-byte frames; the check keeps this safe on its own.
    if (frame.size() != 9 || frame.front() != 'Q' || frame.back() != 'Y')
        return {};
    const std::string_view number = frame.substr(1, 2);
    if (number != "00" && number != m_address)
        return {};
    const char letter = frame[3];
    const std::string_view value = frame.substr(4, 4);
    if (letter == 'L' || letter == 'P')
        return setpoint(letter, value);
    if (value != "0000")
        return {};
    switch (letter) {
    case 'R': m_model.run(); return {};
    case 'S': m_model.stop(); return {};
    case 'F': {
        const long pressure = std::lround(m_model.readPressure() * 10.0);
        std::vector<std::string> replies(1 + m_flood, reply('N', pressure));
        m_flood = 0;
        return replies;
    }
    default: return {};
    }
}

std::vector<std::string> PumpCommands::setpoint(char letter, std::string_view value)
{
    const std::optional<long> t = tenths(value);
    const long limit = letter == 'L' ? kMaxFlowTenths : kMaxPressureTenths;
    if (!t || *t > limit)
        return {};
    if (letter == 'L')
        m_model.setFlow(*t / 10.0);
    else
        m_model.setPressureLimit(*t / 10.0);
    return {reply(letter, *t)};
}

// "Q", the pump's own number, the letter, the value in the "00.0" pattern, "Y".
std::string PumpCommands::reply(char letter, long tenths) const
{
    char value[24];
    std::snprintf(value, sizeof value, "%02ld.%ld", tenths / 10, tenths % 10);
    return "Q" + m_address + letter + value + "Y";
}
