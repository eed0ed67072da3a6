// The manual behind F1: every help context the program can send lands on an
// existing page and anchor of both languages, the pages link only to pages
// and anchors that exist, and a missing manual or browser is said with the
// path concerned.
#include "GuiTestSupport.h"

#include "app/CommandIds.h"
#include "app/DialogTemplate.h"
#include "app/HelpTopics.h"
#include "app/MenuTemplate.h"
#include "editor/CProgramView.h"
#include "frame/CChildFrame.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QSet>

namespace {

const QString kManual = QStringLiteral(CORVANE_BIN_DIR "/help");
const QStringList kLanguages = {QStringLiteral("English"), QStringLiteral("Chinese")};

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void AddMenuIds(const std::vector<MenuEntry> &entries, QSet<int> &ids)
{
    for (const MenuEntry &e : entries) {
        if (e.id > 0)
            ids.insert(e.id);
        AddMenuIds(e.items, ids);
    }
}

// Control ids of every dialog template and command ids of every menu,
// toolbar and accelerator table of the loaded bundle.
QSet<int> BundleContexts()
{
    QSet<int> ids;
    QDirIterator dialogs(LanguageBundle::PathOf(QStringLiteral("dialogs")), {QStringLiteral("*.json")});
    while (dialogs.hasNext()) {
        DialogTemplate t;
        const int id = QFileInfo(dialogs.next()).completeBaseName().toInt();
        EXPECT_TRUE(DialogTemplate::Load(id, t).ok()) << id;
        for (const DialogControl &c : t.controls)
            if (c.id > 0)
                ids.insert(c.id);
    }
    for (int menu : {Res::MainFrame, Res::DocumentMenu}) {
        std::vector<MenuEntry> entries;
        EXPECT_TRUE(MenuTemplate::LoadMenu(menu, entries).ok());
        AddMenuIds(entries, ids);
    }
    ToolbarTemplate toolbar;
    EXPECT_TRUE(MenuTemplate::LoadToolbar(Res::MainFrame, toolbar).ok());
    for (int id : toolbar.buttons)
        if (id > 0)
            ids.insert(id);
    std::vector<Accelerator> keys;
    EXPECT_TRUE(MenuTemplate::LoadAccelerators(Res::MainFrame, keys).ok());
    for (const Accelerator &k : keys)
        ids.insert(k.id);
    return ids;
}

QUrl Page(const QString &path, const QString &anchor = QString())
{
    QUrl url = QUrl::fromLocalFile(path);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    return url;
}

// The anchors a page defines: every id="..." attribute.
QSet<QString> Anchors(const QByteArray &html)
{
    static const QRegularExpression id(QStringLiteral(R"re(\sid="([^"]+)")re"));
    QSet<QString> out;
    for (auto it = id.globalMatch(QString::fromUtf8(html)); it.hasNext();)
        out.insert(it.next().captured(1));
    return out;
}

} // namespace

// Started in each language, the program's bundles, its channel view and
// its frame give every context F1 or Help can send.
TEST(Manual, EveryHelpContextLandsOnAnExistingAnchorInBothLanguages)
{
    HelpTopics topics;
    ASSERT_TRUE(topics.Load(kManual).ok());
    for (const QString &language : kLanguages) {
        StartedApp s(TestIni(language.toLatin1()));
        ASSERT_TRUE(s.started);
        QSet<int> contexts = BundleContexts();
        for (const QWidget *w : s.app->MainFrame()->ActiveChild()->GetView()->findChildren<QWidget *>())
            if (w->property("controlId").isValid())
                contexts.insert(w->property("controlId").toInt());
        contexts.insert(CMainFrame::kFrameHelpContext);
        contexts.insert(Cmd::WriteSeveral); // F1 in its dialog
        ASSERT_TRUE(contexts.contains(CProgramView::IdComboDecode) && contexts.contains(Cmd::HelpTopics));
        for (int context : contexts) {
            ASSERT_TRUE(topics.Has(context)) << "no page for help context " << context;
            const QString target = topics.Target(context);
            const QByteArray page = ReadAll(topics.PageFile(language, target));
            ASSERT_FALSE(page.isEmpty()) << language.toStdString() << ": " << target.toStdString();
            const QString anchor = target.section(QLatin1Char('#'), 1);
            EXPECT_TRUE(anchor.isEmpty() || Anchors(page).contains(anchor))
                << language.toStdString() << ": " << target.toStdString() << " for context " << context;
        }
    }
    EXPECT_EQ(topics.Target(Cmd::HelpTopics), QLatin1String(HelpTopics::kContentsPage));
    EXPECT_EQ(topics.Target(424242), QLatin1String(HelpTopics::kContentsPage));
}

// Both languages have the same pages with the same anchors, and every link
// of a page leads to an existing page and anchor; no page runs a script.
TEST(Manual, PagesMatchAcrossLanguagesAndLinkOnlyToWhatExists)
{
    static const QRegularExpression link(QStringLiteral(R"re(href="([^"]*)")re"));
    QHash<QString, QSet<QString>> englishAnchors;
    for (const QString &language : kLanguages) {
        const QDir dir(kManual + QLatin1Char('/') + language);
        const QStringList pages = dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
        ASSERT_GE(pages.size(), 15);
        QHash<QString, QSet<QString>> anchors;
        for (const QString &page : pages)
            anchors.insert(page, Anchors(ReadAll(dir.filePath(page))));
        for (const QString &page : pages) {
            const QString html = QString::fromUtf8(ReadAll(dir.filePath(page)));
            EXPECT_FALSE(html.contains(QLatin1String("<script"), Qt::CaseInsensitive)) << page.toStdString();
            EXPECT_TRUE(html.contains(QLatin1String("href=\"../manual.css\""))) << page.toStdString();
            for (auto it = link.globalMatch(html); it.hasNext();) {
                const QString href = it.next().captured(1);
                if (href == QLatin1String("../manual.css"))
                    continue;
                const QString file = href.section(QLatin1Char('#'), 0, 0);
                const QString anchor = href.section(QLatin1Char('#'), 1);
                const QString target = file.isEmpty() ? page : file;
                ASSERT_TRUE(anchors.contains(target)) << language.toStdString() << "/" << page.toStdString()
                                                      << ": " << href.toStdString();
                EXPECT_TRUE(anchor.isEmpty() || anchors[target].contains(anchor))
                    << language.toStdString() << "/" << page.toStdString() << ": " << href.toStdString();
            }
        }
        if (language == QLatin1String("English"))
            englishAnchors = anchors;
        else
            EXPECT_EQ(anchors, englishAnchors) << "the Chinese pages differ from the English ones";
    }
    EXPECT_TRUE(QFileInfo::exists(kManual + QStringLiteral("/manual.css")));
}

// The map beside the program, or in share/corvane/help of an installed
// program's prefix; a bad line is refused with its number; the help file
// names its language.
TEST(Manual, MapIsFoundBesideTheProgramOrInTheInstalledPrefix)
{
    QTemporaryDir root;
    const QDir prefix(root.path());
    const QString program = prefix.filePath("lib/corvane"), help = prefix.filePath("share/corvane/help");
    ASSERT_TRUE(prefix.mkpath(program) && prefix.mkpath(help));
    EXPECT_TRUE(HelpTopics::Folder(program).isEmpty());
    QFile map(QDir(help).filePath(QLatin1String(HelpTopics::kMapFile)));
    ASSERT_TRUE(map.open(QIODevice::WriteOnly));
    map.write("; note\n1000 grid.html#grid\n\n");
    map.flush();
    EXPECT_EQ(HelpTopics::Folder(program), help);
    EXPECT_EQ(HelpTopics::Folder(QStringLiteral(CORVANE_BIN_DIR)), kManual);

    HelpTopics topics;
    ASSERT_TRUE(topics.Load(help).ok());
    EXPECT_EQ(topics.Url("chHelp.chm", 1000), Page(help + "/Chinese/grid.html", "grid"));
    EXPECT_EQ(topics.Url("enHelp.chm", 5).fileName(), "index.html");
    EXPECT_EQ(HelpTopics::LanguageOf("CHHELP.CHM"), "Chinese");
    EXPECT_EQ(HelpTopics::LanguageOf(QString()), "English");

    map.write("abc grid.html\n");
    map.close();
    const corvane::Result r = topics.Load(help);
    EXPECT_EQ(r.status, corvane::Status::Rejected);
    EXPECT_TRUE(r.text.endsWith(QLatin1String(":4: not \"<number> <page>\""))) << r.text.toStdString();
    EXPECT_EQ(topics.Load(root.filePath("none")).status, corvane::Status::FileError);
}

// F1 and Help Topics open the page of the language; without a manual, or
// when no browser starts, a message names what to open or where it was
// looked for.
TEST(Manual, PagesOpenAndFailuresAreSaidWithThePath)
{
    StartedApp s(TestIni("Chinese"));
    ASSERT_TRUE(s.started);
    QTemporaryDir cache;
    const QByteArray oldCache = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    QList<QUrl> opened;
    bool browser = true;
    HelpService::SetOpener([&](const QUrl &page) {
        opened << page;
        return browser;
    });
    ASSERT_TRUE(s.app->MainFrame()->Router().Execute(Cmd::HelpTopics)); // the test folder holds no manual
    ASSERT_EQ(s.script.messages.size(), 1);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(s.script.messages[0].startsWith(QStringLiteral("找不到使用手册")));
    EXPECT_TRUE(s.script.messages[0].contains(HelpTopics::Candidates(CProfileFile::ProgramFolder()).last()));

    CProfileFile::SetProgramPath(QStringLiteral(CORVANE_BIN_DIR "/Corvane"));
    ASSERT_TRUE(s.app->MainFrame()->Router().Execute(Cmd::HelpTopics));
    HelpService::Show(s.state.helpFile, CProgramView::IdComboLock);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], Page(kManual + QStringLiteral("/Chinese/index.html")));
    // An anchor goes through a forwarding page, which openers that pass a
    // path to the browser cannot drop.
    EXPECT_EQ(opened[1], Page(cache.filePath(QStringLiteral("Corvane/help/Chinese-1127.html"))));
    const QByteArray forward = ReadAll(opened[1].toLocalFile());
    EXPECT_TRUE(forward.contains("http-equiv=\"refresh\" content=\"0; url="
                                 + Page(kManual + QStringLiteral("/Chinese/ids.html"), QStringLiteral("id-1127")).toEncoded()
                                 + "\"")) << forward.toStdString();

    browser = false;
    HelpService::Show(s.state.helpFile, CProgramView::IdGrid);
    ASSERT_EQ(s.script.messages.size(), 2);
    EXPECT_TRUE(s.script.messages[1].startsWith(QStringLiteral("无法启动网页浏览器")));
    EXPECT_TRUE(s.script.messages[1].endsWith(QDir::toNativeSeparators(kManual + QStringLiteral("/Chinese/grid.html"))));
    HelpService::SetOpener(nullptr);
    qputenv("XDG_CACHE_HOME", oldCache);
}
