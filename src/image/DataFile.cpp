#include "image/DataFile.h"

#include "image/FileAccess.h"

#include <QFile>
#include <QSaveFile>

namespace corvane {

Result LoadImageFile(const QString &path, MemoryImage &image)
{
    QFile f(path);
    const Result opened = OpenForReading(f);
    if (!opened.ok())
        return opened;
    const QByteArray bytes = f.read(kImageSize);
    if (bytes.size() < kImageSize) {
        if (f.error() != QFile::NoError)
            return FileFailure(path, f.errorString(), false);
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
    // Where the folder does not let the temporary file be made, a file that
    // may be written is written in place instead.
    f.setDirectWriteFallback(true);
    if (!f.open(QIODevice::WriteOnly))
        return FileFailure(path, OpenFailureReason(path, f.errorString(), true), true);
    if (f.write(reinterpret_cast<const char *>(image.data()), kImageSize) != kImageSize || !f.commit())
        return FileFailure(path, f.errorString(), true);
    return Result::success();
}

} // namespace corvane
