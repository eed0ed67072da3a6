#pragma once
// CSV files on disk: read as UTF-8 (a byte-order mark allowed) and
// parsed; written as UTF-8 through a temporary file renamed over the
// target, so a failed write leaves the old file as it was.
#include "image/Csv.h"
#include "image/Result.h"

namespace corvane {

// Status::FileError "cannot read PATH: WHY" when the file cannot be read;
// Status::Rejected "PATH: not UTF-8 text" or "PATH: line N: WHY" when its
// text is not CSV.
Result ReadCsvFile(const QString &path, QList<CsvRecord> &records);

// Status::FileError "cannot write PATH: WHY".
Result WriteTextFile(const QString &path, const QString &text);

} // namespace corvane
