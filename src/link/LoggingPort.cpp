#include "link/LoggingPort.h"

#include "link/Clock.h"

#include <QIODevice>

namespace corvane {

LoggingPort::LoggingPort(SerialPort &inner, const Clock &clock, QIODevice &log)
    : m_inner(inner), m_clock(clock), m_log(log), m_start(clock.Now())
{
}

QByteArray LoggingPort::HexBytes(const QByteArray &bytes) { return bytes.toHex(' ').toUpper(); }

void LoggingPort::Line(const QByteArray &text)
{
    const int64_t us = m_clock.Now() - m_start;
    QByteArray stamp = QByteArray::number(static_cast<qlonglong>(us / 1000000)) + '.'
                       + QByteArray::number(static_cast<qlonglong>(us % 1000000)).rightJustified(6, '0');
    m_log.write(stamp.rightJustified(11, ' ') + ' ' + text + '\n');
}

Result LoggingPort::Open(const QString &name)
{
    const Result r = m_inner.Open(name);
    Line("open " + name.toLocal8Bit() + (r.ok() ? QByteArray(": ok") : ": failed: " + r.text.toLocal8Bit()));
    return r;
}

void LoggingPort::SetupComm(int rxBytes, int txBytes)
{
    m_inner.SetupComm(rxBytes, txBytes);
    Line("queues " + QByteArray::number(rxBytes) + " / " + QByteArray::number(txBytes));
}

void LoggingPort::SetTimeouts(const CommTimeouts &t)
{
    m_inner.SetTimeouts(t);
    Line("timeouts interval " + QByteArray::number(t.readInterval) + " ms, read " + QByteArray::number(t.readTotalMultiplier)
         + " ms/byte + " + QByteArray::number(t.readTotalConstant) + " ms");
}

void LoggingPort::SetLineSettings(const LineSettings &s)
{
    m_inner.SetLineSettings(s);
    Line("line " + QByteArray::number(s.baud) + ' ' + QByteArray::number(s.dataBits) + (s.parity ? "E" : "N")
         + QByteArray::number(s.stopBits));
}

void LoggingPort::Purge(PurgeMode mode)
{
    m_inner.Purge(mode);
    Line(mode == PurgeMode::All ? "purge all" : "purge clear");
}

void LoggingPort::Write(const uint8_t *data, int n)
{
    m_inner.Write(data, n);
    Line("> " + HexBytes(QByteArray(reinterpret_cast<const char *>(data), n)));
}

ReadOutcome LoggingPort::Read(int n)
{
    ReadOutcome r = m_inner.Read(n);
    QByteArray text = "<";
    if (!r.bytes.isEmpty())
        text += ' ' + HexBytes(r.bytes);
    const QByteArray count = QByteArray::number(r.bytes.size()) + " of " + QByteArray::number(n);
    if (!r.ok)
        text += " (port error after " + count + ")";
    else if (r.bytes.size() < n)
        text += " (timeout, " + count + ")";
    Line(text);
    return r;
}

void LoggingPort::Close()
{
    m_inner.Close();
    Line("close");
}

} // namespace corvane
