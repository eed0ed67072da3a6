#include "image/DataFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace corvane {

Result LoadImageFile(const QString &path, MemoryImage &image)
{
    QFile f(path);
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly))
        return Result::fail(Status::FileError,
                            QStringLiteral("cannot read %1: %2").arg(path, f.errorString()));
    const QByteArray bytes = f.read(kImageSize);
    if (bytes.size() < kImageSize) {
        if (f.error() != QFile::NoError)
            return Result::fail(Status::FileError,
                                QStringLiteral("cannot read %1: %2").arg(path, f.errorString()));
        return Result::fail(Status::NotImage,
                            QStringLiteral("not a memory image: %1 has %2 bytes, %3 expected")
                                .arg(path).arg(f.size()).arg(kImageSize));
    }
    std::copy(bytes.constBegin(), bytes.constEnd(), image.data());
    return Result::success();
}

Result SaveImageFile(const QString &path, const MemoryImage &image)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return Result::fail(Status::FileError,
                            QStringLiteral("cannot write %1: %2").arg(path, f.errorString()));
    if (f.write(reinterpret_cast<const char *>(image.data()), kImageSize) != kImageSize || !f.commit())
        return Result::fail(Status::FileError,
                            QStringLiteral("cannot write %1: %2").arg(path, f.errorString()));
    return Result::success();
}

} // namespace corvane
