#include "app/AppState.h"

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
