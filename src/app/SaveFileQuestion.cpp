#include "app/SaveFileQuestion.h"

#include "app/AppState.h"
#include "app/Prompts.h"

#include <QDir>
#include <QFileInfo>

QString AskSaveFile(const AppState &app, const Prompts &prompts, QWidget *parent, const QString &title,
                    const QString &proposed, const QString &filter, const QString &extension)
{
    QString path = prompts.saveFile(parent, title, proposed, filter);
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    path += extension;
    if (QFileInfo::exists(path)
        && prompts.message(parent, app.MessageCaption(),
                           app.bundle.String(Ids::ReplaceFile).arg(QDir::toNativeSeparators(path)),
                           QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes)
        return QString();
    return path;
}
