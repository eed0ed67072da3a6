#include "link/PtyEndpoint.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace corvane {

PtyEndpoint::~PtyEndpoint() { Close(); }

bool PtyEndpoint::Fail(const char *what)
{
    m_error = QStringLiteral("%1: %2").arg(QLatin1String(what), qt_error_string(errno));
    Close();
    return false;
}

bool PtyEndpoint::Open()
{
    Close();
    // Close-on-exec: a program started while the line is open must not
    // inherit either end, or closing them here would never hang it up.
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0)
        return Fail("posix_openpt");
    if (::grantpt(m_master) != 0)
        return Fail("grantpt");
    if (::unlockpt(m_master) != 0)
        return Fail("unlockpt");
    // ptsname_r: lines may be opened on several threads at once, and
    // ptsname's one static buffer would hand them each other's names.
    char name[128];
    if (::ptsname_r(m_master, name, sizeof name) != 0)
        return Fail("ptsname");
    m_slavePath = QString::fromLocal8Bit(name);
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0)
        return Fail("open slave");
    // Raw 8-bit line: no echo, no line editing, no translation of bytes.
    termios tio{};
    if (::tcgetattr(m_slave, &tio) != 0)
        return Fail("tcgetattr");
    ::cfmakeraw(&tio);
    ::cfsetspeed(&tio, B9600);
    if (::tcsetattr(m_slave, TCSANOW, &tio) != 0)
        return Fail("tcsetattr");
    const int flags = ::fcntl(m_master, F_GETFL);
    ::fcntl(m_master, F_SETFL, flags | O_NONBLOCK);
    return true;
}

void PtyEndpoint::Close()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = m_master = -1;
}

} // namespace corvane
