#include "image/CsvFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace corvane {

Result ReadCsvFile(const QString &path, QList<CsvRecord> &records)
{
    QFile f(path);
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly))
        return Result::fail(Status::FileError, QStringLiteral("cannot read %1: %2").arg(path, f.errorString()));
    const QByteArray bytes = f.readAll();
    if (f.error() != QFile::NoError)
        return Result::fail(Status::FileError, QStringLiteral("cannot read %1: %2").arg(path, f.errorString()));
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
    const QByteArray bytes = text.toUtf8();
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        return Result::fail(Status::FileError, QStringLiteral("cannot write %1: %2").arg(path, f.errorString()));
    return Result::success();
}

} // namespace corvane
