#pragma once
// RFC 4180 CSV: fields separated by commas, records by LF or CR LF; a field
// in double quotes may hold commas, line breaks and doubled quotes. The
// same rules with a tab as separator read the text a spreadsheet puts on
// the clipboard.
#include <QList>
#include <QString>
#include <QStringList>

namespace corvane {

struct CsvRecord {
    int line = 0;        // line number of the record's first line, from 1
    QStringList fields;
};

// Parses text (a leading byte-order mark is skipped). On malformed input
// (a quote inside an unquoted field, text after a closing quote, an
// unterminated quote) returns false with error naming the line.
bool ParseCsv(const QString &text, QList<CsvRecord> &records, QString &error,
              QChar separator = QLatin1Char(','));

// One field, quoted when it holds a comma, a quote or a line break.
QString CsvField(const QString &field);
QString CsvLine(const QStringList &fields); // without the line end

} // namespace corvane
