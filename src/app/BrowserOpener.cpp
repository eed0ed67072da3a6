#include "app/BrowserOpener.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace BrowserOpener {

bool Open(const QUrl &page, std::function<void()> failed)
{
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty())
        return QDesktopServices::openUrl(page);
    // Not parented: a browser that xdg-open runs in the foreground outlives
    // the program, and the process object is dropped once it ends.
    auto *process = new QProcess;
    process->setProgram(xdgOpen);
    process->setArguments({page.toString(QUrl::FullyEncoded)});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process,
                     [process, failed](int code, QProcess::ExitStatus status) {
                         if ((code != 0 || status != QProcess::NormalExit) && failed)
                             failed();
                         process->deleteLater();
                     });
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        return QDesktopServices::openUrl(page);
    }
    return true;
}

} // namespace BrowserOpener
