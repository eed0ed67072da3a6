#pragma once
// The master side of a pseudo-terminal in raw mode: what a device would
// be on the far end of a serial cable. The slave side's path is what a
// program opens as its serial port. The endpoint keeps a slave descriptor
// of its own open, so the line does not hang up between two programs
// that use it one after the other, and the raw settings stay. Neither
// descriptor passes to a program started meanwhile, so Close always hangs
// the line up.
#include <QString>

namespace corvane {

class PtyEndpoint {
public:
    PtyEndpoint() = default;
    ~PtyEndpoint();
    PtyEndpoint(const PtyEndpoint &) = delete;
    PtyEndpoint &operator=(const PtyEndpoint &) = delete;

    // Creates the pair. False with the system's reason in error(). Safe on
    // several threads at once, for different endpoints.
    bool Open();
    // Closes both sides: a program using the slave sees a hang-up.
    void Close();

    bool IsOpen() const { return m_master >= 0; }
    int MasterFd() const { return m_master; }
    QString SlavePath() const { return m_slavePath; }
    QString error() const { return m_error; }

private:
    bool Fail(const char *what);

    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_error;
};

} // namespace corvane
