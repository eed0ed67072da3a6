#include "image/FileAccess.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace corvane {

Result FileFailure(const QString &path, const QString &reason, bool writing)
{
    const QString format = writing ? QStringLiteral("cannot write %1: %2") : QStringLiteral("cannot read %1: %2");
    Result r = Result::fail(Status::FileError, format.arg(path, reason));
    r.reason = reason;
    return r;
}

Result OpenForReading(QFile &file)
{
    const QFileInfo info(file.fileName());
    if (info.isDir())
        return FileFailure(file.fileName(), qt_error_string(EISDIR), false);
    if (info.exists() && !info.isFile())
        return FileFailure(file.fileName(), QStringLiteral("Not a regular file"), false);
    if (!file.open(QIODevice::ReadOnly))
        return FileFailure(file.fileName(), OpenFailureReason(file.fileName(), file.errorString(), false), false);
    return Result::success();
}

Result ReadFileBytes(const QString &path, QByteArray &bytes)
{
    QFile f(path);
    Result r = OpenForReading(f);
    if (!r.ok())
        return r;
    bytes = f.readAll();
    return f.error() == QFile::NoError ? Result::success() : FileFailure(path, f.errorString(), false);
}

QString OpenFailureReason(const QString &path, const QString &deviceError, bool forWriting)
{
    const QFileInfo info(path);
    if (info.isDir())
        return qt_error_string(EISDIR);
    if (forWriting && info.exists() && !info.isWritable())
        return qt_error_string(EACCES);
    return deviceError;
}

} // namespace corvane
