#include "settings/SettingsLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace SettingsLocation {

QString PersonalCopy(const QString &fileName)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Corvane/")
           + fileName;
}

bool CanWriteBeside(const QString &path)
{
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();
    QTemporaryFile probe(QFileInfo(target).absolutePath() + QStringLiteral("/.corvane-XXXXXX"));
    return probe.open();
}

QString ForReading(const QString &besideProgram)
{
    const QString copy = PersonalCopy(QFileInfo(besideProgram).fileName());
    if (QFileInfo(copy).isFile() && !CanWriteBeside(besideProgram))
        return copy;
    return besideProgram;
}

} // namespace SettingsLocation
