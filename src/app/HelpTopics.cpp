#include "app/HelpTopics.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using corvane::Result;
using corvane::Status;

QString HelpTopics::LanguageOf(const QString &helpFile)
{
    return QFileInfo(helpFile).fileName().compare(QLatin1String("chHelp.chm"), Qt::CaseInsensitive) == 0
               ? QStringLiteral("Chinese")
               : QStringLiteral("English");
}

QStringList HelpTopics::Candidates(const QString &programFolder)
{
    const QDir program(programFolder);
    return {QDir::cleanPath(program.filePath(QStringLiteral("help"))),
            QDir::cleanPath(program.filePath(QStringLiteral("../../share/corvane/help")))};
}

QString HelpTopics::Folder(const QString &programFolder)
{
    for (const QString &folder : Candidates(programFolder))
        if (QFileInfo(QDir(folder).filePath(QLatin1String(kMapFile))).isFile())
            return folder;
    return QString();
}

Result HelpTopics::Load(const QString &folder)
{
    const QString path = QDir(folder).filePath(QLatin1String(kMapFile));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result::fail(Status::FileError, QStringLiteral("%1: %2").arg(path, file.errorString()));
    QHash<int, QString> targets;
    int lineNumber = 0;
    while (!file.atEnd()) {
        ++lineNumber;
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool ok = false;
        const int context = words.value(0).toInt(&ok);
        if (!ok || words.size() < 2 || !words[1].contains(QLatin1String(".html")))
            return Result::fail(Status::Rejected, QStringLiteral("%1:%2: not \"<number> <page>\"").arg(path).arg(lineNumber));
        targets.insert(context, words[1]);
    }
    m_folder = folder;
    m_targets = std::move(targets);
    return Result::success();
}

QString HelpTopics::Target(int context) const
{
    return m_targets.value(context, QLatin1String(kContentsPage));
}

QString HelpTopics::PageFile(const QString &language, const QString &target) const
{
    return QDir(m_folder).filePath(language + QLatin1Char('/') + target.section(QLatin1Char('#'), 0, 0));
}

QUrl HelpTopics::Url(const QString &helpFile, int context) const
{
    const QString target = Target(context);
    QUrl url = QUrl::fromLocalFile(QFileInfo(PageFile(LanguageOf(helpFile), target)).absoluteFilePath());
    const QString anchor = target.section(QLatin1Char('#'), 1);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    return url;
}
