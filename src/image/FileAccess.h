#pragma once
// Reading files with the system's own words for why one cannot be opened
// ("No such file or directory", "Is a directory", "Permission denied", ...),
// for the messages of the desktop program and the command line alike. A
// failure is Status::FileError with the text "cannot read PATH: REASON" and
// the reason alone in Result::reason.
#include "image/Result.h"

#include <QByteArray>
#include <QString>

class QFile;

namespace corvane {

// Opens the file named by `file` for reading. Folders and anything that is
// not a regular file (a FIFO would block the open) are refused first.
Result OpenForReading(QFile &file);

// The whole of a regular file.
Result ReadFileBytes(const QString &path, QByteArray &bytes);

// A read or write failure of `path` with the given reason.
Result FileFailure(const QString &path, const QString &reason, bool writing);

// Why `path` could not be opened, given the error text of the device that
// tried (QFile / QSaveFile): a folder and a file without write permission
// are named as the system names them; otherwise the device's text stands.
QString OpenFailureReason(const QString &path, const QString &deviceError, bool forWriting);

} // namespace corvane
