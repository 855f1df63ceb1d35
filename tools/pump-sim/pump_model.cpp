#include "pump_model.h"

#include <algorithm>
#include <cmath>

namespace {
// Small enough that a pass of the limit stops the pump within a few milliseconds of model time.
constexpr double kStepSeconds = 0.005;
constexpr double kPulsationMpa = 0.01;
} // namespace

PumpModel::PumpModel(std::mt19937_64& random) : m_random(random) {}

void PumpModel::run() { m_running = true; }

void PumpModel::stop() { m_running = false; }

void PumpModel::setFlow(double mlPerMin) { m_flow = mlPerMin; }

void PumpModel::setPressureLimit(double mpa)
{
    m_pressureLimit = mpa;
    protect();
}

double PumpModel::target() const { return m_running ? m_flow * kMpaPerFlow : 0.0; }

void PumpModel::protect()
{
    if (m_running && m_pressure > m_pressureLimit)
        m_running = false;
}

void PumpModel::advance(double seconds)
{
    while (seconds > 0.0) {
        const double goal = target();
        // Settled: nothing changes any more, however long the wait.
        if (std::abs(goal - m_pressure) < 1e-9) {
            m_pressure = goal;
            return;
        }
        const double step = std::min(seconds, kStepSeconds);
        m_pressure += (goal - m_pressure) * (1.0 - std::exp(-step / kLagSeconds));
        seconds -= step;
        protect();
    }
}

double PumpModel::readPressure()
{
    if (!m_running)
        return m_pressure;
    std::normal_distribution<double> pulsation(0.0, kPulsationMpa);
    return std::max(0.0, m_pressure + pulsation(m_random));
}
