#pragma once
// Context help: every window's F1 asks for (help file, numeric context).
// The help file names the language of the manual, the context the page
// (HelpTopics); the page opens in the desktop's web browser (a page with an
// anchor through a forwarding page in ~/.cache/Corvane/help, which keeps the
// anchor whatever the opener passes to the browser). When the
// manual is missing or no browser can be started, the reporter is told
// which (a string-table id and the path concerned) instead of nothing
// happening. Tests install a recorder instead of all of this.
#include <QString>
#include <QUrl>
#include <functional>

class HelpService {
public:
    using Handler = std::function<void(const QString &file, int context)>;
    // Opens a page; false when nothing could be started to show it.
    using Opener = std::function<bool(const QUrl &page)>;
    // Tells the user a failure: string-table id and the path it names.
    using Reporter = std::function<void(int stringId, const QString &path)>;

    static void Show(const QString &file, int context);
    // Replaces everything above (nullptr restores it).
    static void SetHandler(Handler h);
    // The desktop's browser by default, BrowserOpener (nullptr restores it).
    static void SetOpener(Opener o);
    // Without a reporter a failure goes to standard error.
    static void SetReporter(Reporter r);
};
