#pragma once
// A port that passes every operation to another port and writes a line for
// each to a log: time in seconds since the log began, then what happened.
// Sent bytes are "> 52 0C 90 08", received bytes "< 06"; a read that timed
// out or failed says so with the count it got. The first aid for a cable
// that misbehaves.
#include "link/SerialPort.h"

class QIODevice;

namespace corvane {

class Clock;

class LoggingPort : public SerialPort {
public:
    // Neither inner, clock nor log is owned; log must be open for writing.
    LoggingPort(SerialPort &inner, const Clock &clock, QIODevice &log);

    Result Open(const QString &name) override;
    void SetupComm(int rxBytes, int txBytes) override;
    void SetTimeouts(const CommTimeouts &timeouts) override;
    void SetLineSettings(const LineSettings &settings) override;
    void Purge(PurgeMode mode) override;
    void Write(const uint8_t *data, int n) override;
    ReadOutcome Read(int n) override;
    void Close() override;
    QString DeviceFor(const QString &name) const override { return m_inner.DeviceFor(name); }

    static QByteArray HexBytes(const QByteArray &bytes);

private:
    void Line(const QByteArray &text);

    SerialPort &m_inner;
    const Clock &m_clock;
    QIODevice &m_log;
    int64_t m_start;
};

} // namespace corvane
