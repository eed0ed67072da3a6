#pragma once
// The one error model at the core boundary: a status plus a text for the
// user. Returned, never thrown. Timeouts and short reads are outcomes of the
// transfer, reported through this type only when they end it.
#include <QString>

namespace corvane {

enum class Status {
    Ok,
    Rejected,      // input checked and refused (CSV cell, frequency)
    Usage,         // wrong command-line words
    FileError,     // a file cannot be read or written
    NotImage,      // a file is not an 8192-byte memory image
    PortError,     // the serial port cannot be opened
    CommError,     // communication error, prompt cancelled
    Interrupted,   // the radio stopped answering mid-transfer
    Cancelled,     // the user cancelled
    Mismatch       // a verify read-back differs
};

struct Result {
    Status status = Status::Ok;
    QString text;
    QString reason; // a file failure: the system's reason alone ("Permission denied")

    bool ok() const { return status == Status::Ok; }
    static Result success() { return {}; }
    static Result fail(Status s, const QString &why) { return {s, why, QString()}; }
};

} // namespace corvane
