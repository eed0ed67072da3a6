#include "app/HelpService.h"

#include "app/BrowserOpener.h"
#include "app/HelpTopics.h"
#include "app/LanguageBundle.h"
#include "settings/CProfileFile.h"

#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>
#include <cstdio>

namespace {

struct Hooks {
    HelpService::Handler handler;
    HelpService::Opener opener;
    HelpService::Reporter reporter;
};

Hooks &CurrentHooks()
{
    static Hooks hooks;
    return hooks;
}

void Report(int stringId, const QString &path)
{
    if (CurrentHooks().reporter)
        CurrentHooks().reporter(stringId, path);
    else
        std::fprintf(stderr, "Corvane: help: %s\n", qUtf8Printable(path));
}

// Openers that hand a file to the browser as a path (xdg-open without a
// desktop environment) drop the anchor. A page in the user's cache that
// forwards to page and anchor keeps it; without one the page opens at its
// top.
QUrl WithAnchorKept(const QUrl &page, const QString &language, int context)
{
    if (!page.hasFragment())
        return page;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
                           + QStringLiteral("/Corvane/help");
    QSaveFile file(folder + QStringLiteral("/%1-%2.html").arg(language).arg(context));
    const QByteArray target = QString::fromUtf8(page.toEncoded()).toHtmlEscaped().toUtf8();
    const QByteArray html = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
                            "<meta http-equiv=\"refresh\" content=\"0; url=" + target + "\">"
                            "<title>Corvane</title></head><body><a href=\"" + target + "\">" + target
                            + "</a></body></html>\n";
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) || file.write(html) != html.size()
        || !file.commit())
        return page;
    return QUrl::fromLocalFile(file.fileName());
}

} // namespace

void HelpService::SetHandler(Handler h) { CurrentHooks().handler = std::move(h); }
void HelpService::SetOpener(Opener o) { CurrentHooks().opener = std::move(o); }
void HelpService::SetReporter(Reporter r) { CurrentHooks().reporter = std::move(r); }

void HelpService::Show(const QString &file, int context)
{
    if (CurrentHooks().handler) {
        CurrentHooks().handler(file, context);
        return;
    }
    const QString programFolder = CProfileFile::ProgramFolder();
    HelpTopics topics;
    const QString folder = HelpTopics::Folder(programFolder);
    if (folder.isEmpty() || !topics.Load(folder).ok()) {
        const QStringList searched = HelpTopics::Candidates(programFolder);
        Report(Ids::HelpMissing, QDir::toNativeSeparators(searched.join(QLatin1Char('\n'))));
        return;
    }
    const QUrl page = topics.Url(file, context);
    const QString path = QDir::toNativeSeparators(page.toLocalFile());
    const auto noBrowser = [path] { Report(Ids::HelpNoBrowser, path); };
    const QUrl shown = WithAnchorKept(page, HelpTopics::LanguageOf(file), context);
    const bool opened = CurrentHooks().opener ? CurrentHooks().opener(shown) : BrowserOpener::Open(shown, noBrowser);
    if (!opened)
        noBrowser();
}
