#include "pty_line.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <system_error>
#include <termios.h>
#include <unistd.h>

namespace {

[[noreturn]] void fail(const std::string& what)
{
    throw std::system_error(errno, std::generic_category(), what);
}

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

PtyLine::PtyLine()
{
    // Raw from the start: no echo, no line editing, no flow control, every byte passes unchanged.
    termios raw{};
    cfmakeraw(&raw);
    if (openpty(&m_master, &m_slave, nullptr, &raw, nullptr) != 0)
        fail("openpty");
    char name[PATH_MAX];
    if (const int error = ttyname_r(m_slave, name, sizeof name); error != 0)
        abandon(error, "ttyname");
    m_device = name;
    if (fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK) != 0)
        abandon(errno, "fcntl");
}

void PtyLine::abandon(int error, const char* what)
{
    hangUp();
    throw std::system_error(error, std::generic_category(), what);
}

PtyLine::~PtyLine()
{
    hangUp();
}

void PtyLine::makeLink(const std::string& path)
{
    struct stat existing{};
    if (lstat(path.c_str(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode)) {
            errno = EEXIST;
            fail(path);
        }
        if (unlink(path.c_str()) != 0)
            fail(path);
    }
    if (symlink(m_device.c_str(), path.c_str()) != 0)
        fail(path);
    m_link = path;
}

void PtyLine::hangUp()
{
    closeFd(m_slave);
    closeFd(m_master);
    removeLink();
}

// Only while it still points at this line: another simulator may have taken the name over since.
void PtyLine::removeLink()
{
    if (m_link.empty())
        return;
    char target[PATH_MAX];
    const ssize_t length = readlink(m_link.c_str(), target, sizeof target - 1);
    if (length >= 0 && std::string(target, static_cast<std::size_t>(length)) == m_device)
        unlink(m_link.c_str());
    m_link.clear();
}
