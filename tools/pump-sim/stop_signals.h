#pragma once

// SIGINT, SIGTERM and SIGHUP turned into a readable descriptor, so the main loop's poll() wakes
// on them and the simulator ends cleanly (link removed, count written). SIGPIPE is ignored.
class StopSignals {
public:
    // Throws std::system_error when the pipe cannot be made.
    StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    int fd() const { return m_readFd; }

private:
    int m_readFd = -1;
};
