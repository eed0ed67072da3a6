#include "image/CsvFile.h"

#include "image/FileAccess.h"

#include <QSaveFile>
#include <QStringDecoder>

namespace corvane {

Result ReadCsvFile(const QString &path, QList<CsvRecord> &records)
{
    QByteArray bytes;
    if (const Result read = ReadFileBytes(path, bytes); !read.ok())
        return read;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        return Result::fail(Status::Rejected, QStringLiteral("%1: not UTF-8 text").arg(path));
    QString error;
    if (!ParseCsv(text, records, error))
        return Result::fail(Status::Rejected, QStringLiteral("%1: %2").arg(path, error));
    return Result::success();
}

Result WriteTextFile(const QString &path, const QString &text)
{
    QSaveFile f(path);
    // A file that may be written in a folder that may not: written in place.
    f.setDirectWriteFallback(true);
    const QByteArray bytes = text.toUtf8();
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        return FileFailure(path, OpenFailureReason(path, f.errorString(), true), true);
    return Result::success();
}

} // namespace corvane
