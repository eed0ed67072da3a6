#include "app/SaveFileQuestion.h"

#include "app/AppState.h"
#include "app/Prompts.h"

QString AskSaveFile(const AppState &app, const Prompts &prompts, QWidget *parent, const QString &title,
                    const QString &proposed, const QString &filter, const QString &extension)
{
    return prompts.WithExtension(parent, prompts.saveFile(parent, title, proposed, filter), extension,
                                 app.MessageCaption(), app.bundle.String(Ids::ReplaceFile));
}
