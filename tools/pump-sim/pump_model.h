#pragma once

#include <random>

// The pump's hydraulics: a set flow, a protective pressure limit, and an outlet pressure that
// follows the flow with a first-order lag while running and decays to zero when stopped.
class PumpModel {
public:
    static constexpr double kMpaPerFlow = 0.04; // steady pressure per ml/min
    static constexpr double kLagSeconds = 3.0;

    explicit PumpModel(std::mt19937_64& random);

    void run();
    void stop();
    void setFlow(double mlPerMin);
    void setPressureLimit(double mpa);

    // Moves the pressure on by the given time; stops the pump if the pressure passes the limit.
    void advance(double seconds);

    // The pressure as the pump's sensor reads it: the true value plus a little pulsation while running.
    double readPressure();

private:
    double target() const;
    void protect();

    std::mt19937_64& m_random;
    bool m_running = false;
    double m_flow = 0.0;
    double m_pressureLimit = 2.0;
    double m_pressure = 0.0;
};
