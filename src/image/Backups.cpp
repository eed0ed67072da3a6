#include "image/Backups.h"

#include "image/DataFile.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>

namespace corvane {

namespace {
const QRegularExpression &NamePattern()
{
    static const QRegularExpression re(QStringLiteral("^(\\d{8}-\\d{6})(?:-(\\d+))?\\.dat$"));
    return re;
}

// Time stamp first, then the counter of reads within the same second.
struct Key {
    QString stamp;
    int counter;
    bool operator<(const Key &o) const { return stamp != o.stamp ? stamp < o.stamp : counter < o.counter; }
};

Key KeyOf(const QString &name)
{
    const QRegularExpressionMatch m = NamePattern().match(name);
    return {m.captured(1), m.captured(2).isEmpty() ? 1 : m.captured(2).toInt()};
}
} // namespace

QString Backups::Folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/Corvane/backups");
}

QStringList Backups::List(const QString &folder)
{
    QStringList names;
    for (const QString &name : QDir(folder).entryList(QDir::Files))
        if (NamePattern().match(name).hasMatch())
            names << name;
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) { return KeyOf(a) < KeyOf(b); });
    return names;
}

Result Backups::Store(const MemoryImage &image, const QDateTime &when, QString *stored)
{
    const QString folder = Folder();
    if (!QDir().mkpath(folder))
        return Result::fail(Status::FileError, QStringLiteral("cannot create the folder %1").arg(folder));
    const QString stamp = when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QDir dir(folder);
    QString name = stamp + QStringLiteral(".dat");
    for (int n = 2; dir.exists(name); ++n)
        name = QStringLiteral("%1-%2.dat").arg(stamp).arg(n);
    const QString path = dir.filePath(name);
    const Result saved = SaveImageFile(path, image);
    if (!saved.ok())
        return saved;
    if (stored)
        *stored = path;
    const QStringList all = List(folder);
    // A clock set back may sort the new copy first; it stays all the same.
    for (int i = 0; i + kKeep < all.size(); ++i)
        if (all[i] != name)
            dir.remove(all[i]);
    return Result::success();
}

} // namespace corvane
