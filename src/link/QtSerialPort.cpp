#include "link/QtSerialPort.h"

#include "link/PortNames.h"

#include <QElapsedTimer>
#include <QSerialPortInfo>
#include <algorithm>
#include <cerrno>
#include <grp.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <vector>

namespace corvane {

namespace {
// Why the user may not open path: the group that owns the device and
// whether the user belongs to it.
QString PermissionReason(const QString &path)
{
    struct stat st {};
    const QByteArray local = path.toLocal8Bit();
    if (::stat(local.constData(), &st) != 0)
        return QStringLiteral("permission denied");
    if (::access(local.constData(), R_OK | W_OK) == 0)
        return QStringLiteral("the device is locked by another program");
    const struct group *g = ::getgrgid(st.st_gid);
    const QString group = g ? QString::fromLocal8Bit(g->gr_name) : QString::number(st.st_gid);
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(0, ::getgroups(0, nullptr))));
    const int count = groups.empty() ? 0 : ::getgroups(static_cast<int>(groups.size()), groups.data());
    const bool member = ::getegid() == st.st_gid
                        || std::find(groups.begin(), groups.begin() + std::max(0, count), st.st_gid)
                               != groups.begin() + std::max(0, count);
    if (!member)
        return QStringLiteral("permission denied: %1 belongs to group \"%2\", and this user is not in that group "
                              "(add the user to it and log in again)").arg(path, group);
    return QStringLiteral("permission denied: %1 does not allow group \"%2\" to read and write").arg(path, group);
}
} // namespace

QtSerialPort::QtSerialPort(const CProfileFile *settings) : m_settings(settings) {}

QtSerialPort::~QtSerialPort() { Close(); }

QStringList QtSerialPort::SystemDevices()
{
    QStringList devices;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        devices << info.systemLocation();
    return OrderSerialDevices(devices);
}

QString QtSerialPort::OpenFailure(const QString &device) const
{
    if (m_port.error() == QSerialPort::PermissionError)
        return PermissionReason(device);
    return QStringLiteral("%1: %2").arg(device, m_port.errorString());
}

Result QtSerialPort::Open(const QString &name)
{
    Close();
    const QString device = ResolvePortName(name, m_settings, ComNumber(name) ? SystemDevices() : QStringList());
    if (device.isEmpty())
        return Result::fail(Status::PortError, QStringLiteral("no serial device for %1").arg(name));
    m_port.setPortName(device);
    if (!m_port.open(QIODevice::ReadWrite)) {
        const QString why = OpenFailure(device);
        m_port.clearError();
        return Result::fail(Status::PortError, why);
    }
    m_lost = false;
    return Result::success();
}

// The kernel's queues have fixed sizes; the request is only a hint.
void QtSerialPort::SetupComm(int, int) {}

void QtSerialPort::SetTimeouts(const CommTimeouts &timeouts) { m_timeouts = timeouts; }

void QtSerialPort::SetLineSettings(const LineSettings &s)
{
    if (!m_port.isOpen())
        return;
    m_port.setBaudRate(s.baud);
    m_port.setDataBits(static_cast<QSerialPort::DataBits>(s.dataBits));
    m_port.setParity(s.parity ? QSerialPort::EvenParity : QSerialPort::NoParity);
    m_port.setStopBits(s.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
}

void QtSerialPort::Purge(PurgeMode)
{
    // Writes return only when their bytes have left (Write drains), as a
    // Windows write does, so the output queue is always empty here; and
    // flushing it on a pseudo-terminal would drop bytes the far end has
    // not yet taken. What is dropped is the input: the driver's queue and
    // QSerialPort's buffer. Nothing is pending in the blocking model, so
    // "purge all" has no operation to abort either.
    if (m_port.isOpen() && !m_lost)
        m_port.clear(QSerialPort::Input);
}

void QtSerialPort::Write(const uint8_t *data, int n)
{
    if (!m_port.isOpen() || m_lost || n <= 0)
        return;
    m_port.write(reinterpret_cast<const char *>(data), n);
    m_port.flush();
    if (m_port.bytesToWrite() > 0 && !m_port.waitForBytesWritten(m_timeouts.writeTotal(n))) {
        DeviceLost();
        return;
    }
    WaitUntilSent(n);
}

// A write returns when its bytes are on the wire, as a Windows write does,
// so a clear that follows cannot take them back; but never later than the
// write timeout, so a stalled line cannot hang the transfer (tcdrain could).
void QtSerialPort::WaitUntilSent(int n)
{
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        int pending = 0;
        if (::ioctl(m_port.handle(), TIOCOUTQ, &pending) != 0) {
            m_lost = errno != EINTR && errno != ENOTTY && errno != EINVAL;
            return;
        }
        if (pending <= 0 || timer.elapsed() >= m_timeouts.writeTotal(n))
            return;
        ::usleep(200);
    }
}

bool QtSerialPort::DeviceLost()
{
    const QSerialPort::SerialPortError e = m_port.error();
    if (e != QSerialPort::NoError && e != QSerialPort::TimeoutError)
        m_lost = true;
    m_port.clearError();
    if (!m_lost && m_port.handle() >= 0) {
        pollfd p{m_port.handle(), 0, 0};
        if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)))
            m_lost = true;
    }
    return m_lost;
}

ReadOutcome QtSerialPort::Read(int n)
{
    ReadOutcome out;
    if (!m_port.isOpen() || m_lost) {
        out.ok = false;
        return out;
    }
    QElapsedTimer timer;
    timer.start();
    const qint64 total = m_timeouts.readTotal(n);
    qint64 lastByteAt = -1;
    for (;;) {
        if (m_port.bytesAvailable() > 0) {
            out.bytes += m_port.read(n - out.bytes.size());
            lastByteAt = timer.elapsed();
        }
        if (out.bytes.size() >= n)
            break;
        qint64 wait = total - timer.elapsed();
        if (lastByteAt >= 0)
            wait = std::min(wait, lastByteAt + m_timeouts.readInterval - timer.elapsed());
        if (wait <= 0)
            break;
        if (!m_port.waitForReadyRead(static_cast<int>(wait)) && DeviceLost()) {
            out.ok = false;
            break;
        }
    }
    return out;
}

void QtSerialPort::Close()
{
    if (m_port.isOpen())
        m_port.close();
    m_port.clearError();
}

} // namespace corvane
