#include "app/HelpService.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

static HelpService::Handler &CurrentHandler()
{
    static HelpService::Handler handler;
    return handler;
}

void HelpService::SetHandler(Handler h) { CurrentHandler() = std::move(h); }

void HelpService::Show(const QString &file, int context)
{
    if (CurrentHandler()) {
        CurrentHandler()(file, context);
        return;
    }
    // Help files are bare names resolved against the current folder.
    if (QFileInfo(file).isFile())
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
}
