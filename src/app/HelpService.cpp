#include "app/HelpService.h"

#include "app/BrowserOpener.h"
#include "app/HelpTopics.h"
#include "app/LanguageBundle.h"
#include "settings/CProfileFile.h"

#include <QDir>
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
    const bool opened = CurrentHooks().opener ? CurrentHooks().opener(page) : BrowserOpener::Open(page, noBrowser);
    if (!opened)
        noBrowser();
}
