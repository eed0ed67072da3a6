#pragma once
// Copies of every completed read from a radio, kept in the user's data
// folder ($XDG_DATA_HOME/Corvane/backups, usually
// ~/.local/share/Corvane/backups) as "YYYYMMDD-HHMMSS.dat" (local time of
// the read; a second read in the same second gets "-2", "-3", ...). They
// are ordinary memory images: File > Open or `corvane-cli show` reads them.
// After each store only the newest kKeep copies stay; files of other names
// in the folder are never touched.
#include "image/MemoryImage.h"
#include "image/Result.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace corvane {

class Backups {
public:
    static constexpr int kKeep = 100;

    static QString Folder();

    // Writes image atomically under the name for `when`; *stored (may be
    // null) receives the file's path. A folder or file that cannot be
    // written gives Status::FileError with the path and the system's reason;
    // the caller reports it and carries on.
    static Result Store(const MemoryImage &image, const QDateTime &when = QDateTime::currentDateTime(),
                        QString *stored = nullptr);

    // The backup file names in `folder`, oldest first.
    static QStringList List(const QString &folder);
};

} // namespace corvane
