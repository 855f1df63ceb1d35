#pragma once

#include <string>

// The pump's end of the serial line: a pseudo-terminal pair in raw mode. The panel opens the
// slave device; the simulator reads and writes the master. A slave descriptor is kept open so
// the line stays up between the panel's opens, until hangUp().
class PtyLine {
public:
    // Throws std::system_error when no pseudo-terminal can be had.
    PtyLine();
    ~PtyLine();
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    int master() const { return m_master; }
    const std::string& device() const { return m_device; }

    // A symbolic link at path to the device; an old link there is replaced, any other file is
    // left alone and refused. Throws std::system_error.
    void makeLink(const std::string& path);

    // The line disappears as when the adapter is pulled: the panel's side reports hangup.
    void hangUp();

private:
    [[noreturn]] void abandon(int error, const char* what);
    void removeLink();

    int m_master = -1;
    int m_slave = -1;
    std::string m_device;
    std::string m_link;
};
