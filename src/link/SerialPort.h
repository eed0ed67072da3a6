#pragma once
// The serial port as the transfer sees it: the operations of a Windows-style
// comm handle, reduced to what the protocol needs, so the engine runs
// against a real device, a pseudo-terminal or a scripted fake.
#include "image/Result.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace corvane {

// Read and write timeouts in milliseconds. A read of n bytes returns when n
// bytes have arrived, when more than readInterval passes between two
// received bytes, or after readTotalMultiplier * n + readTotalConstant in
// all. Writes get writeTotalMultiplier * n + writeTotalConstant.
struct CommTimeouts {
    int readInterval = 30;
    int readTotalMultiplier = 500;
    int readTotalConstant = 90;
    int writeTotalMultiplier = 50;
    int writeTotalConstant = 50;

    int readTotal(int n) const { return readTotalMultiplier * n + readTotalConstant; }
    int writeTotal(int n) const { return writeTotalMultiplier * n + writeTotalConstant; }
};

// The line settings the transfer changes; flow control, DTR, RTS and the
// special characters are left as the port has them.
struct LineSettings {
    int baud = 9600;
    int dataBits = 8;
    bool parity = false; // no parity, no parity check
    int stopBits = 1;
    bool binary = true;
};

enum class PurgeMode {
    Clear, // drop everything waiting in both queues
    All    // the same, and abort pending operations
};

// Outcome of one read: ok false when the port reported an error (device
// gone, hang-up); a timeout is not an error and returns what came.
struct ReadOutcome {
    bool ok = true;
    QByteArray bytes;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens the port by name for reading and writing, unshared. On failure
    // Status::PortError with the system's reason in text.
    virtual Result Open(const QString &name) = 0;
    // Driver queue sizes in bytes (a hint; results are not checked).
    virtual void SetupComm(int rxBytes, int txBytes) = 0;
    virtual void SetTimeouts(const CommTimeouts &timeouts) = 0;
    virtual void SetLineSettings(const LineSettings &settings) = 0;
    virtual void Purge(PurgeMode mode) = 0;
    // Writes n bytes; the result is not checked by the protocol.
    virtual void Write(const uint8_t *data, int n) = 0;
    // Reads up to n bytes within the timeouts.
    virtual ReadOutcome Read(int n) = 0;
    // Closing a port that is not open does nothing.
    virtual void Close() = 0;

    // The device Open would open for a port name ("COM1" may stand for
    // "/dev/ttyUSB0"); empty when no device stands for it. A port without
    // a mapping of its own opens every name as it is.
    virtual QString DeviceFor(const QString &name) const { return name; }
};

} // namespace corvane
