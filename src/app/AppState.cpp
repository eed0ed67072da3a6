#include "app/AppState.h"

#include <QCoreApplication>

void AppState::ApplyLanguage(const QByteArray &name)
{
    languageName = name;
    chinese = (name == "Chinese");
    helpFile = chinese ? QStringLiteral("chHelp.chm") : QStringLiteral("enHelp.chm");
}

void AppState::SetCaption(const QString &text)
{
    caption = text;
    if (captionSink)
        captionSink(text);
}

QString AppState::MessageCaption() const
{
    return appName.isEmpty() ? QCoreApplication::applicationName() : appName;
}
