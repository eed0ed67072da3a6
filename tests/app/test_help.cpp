// The manual behind F1: every help context the program can send lands on an
// existing page and anchor of both languages, the pages link only to pages
// and anchors that exist, and a missing manual or browser is said with the
// path concerned.
#include "GuiTestSupport.h"

#include "app/CommandIds.h"
#include "app/DialogTemplate.h"
#include "app/HelpTopics.h"
#include "editor/CProgramView.h"
#include "frame/CChildFrame.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QSet>

namespace {

using testenv::TestEnv;

const QString kManual = QStringLiteral(CORVANE_BIN_DIR "/help");
const QStringList kLanguages = {QStringLiteral("English"), QStringLiteral("Chinese")};

// What F1 or Help can send: the control ids of every dialog template, and
// of the window the commands of its menus, toolbar and keys and the ids of
// the channel view's controls.
QSet<int> Contexts(const CMainFrame *frame)
{
    QSet<int> ids = {CMainFrame::kFrameHelpContext, Cmd::WriteSeveral}; // the latter: F1 in its dialog
    QDirIterator dialogs(LanguageBundle::PathOf(QStringLiteral("dialogs")), {QStringLiteral("*.json")});
    while (dialogs.hasNext()) {
        DialogTemplate t;
        const int id = QFileInfo(dialogs.next()).completeBaseName().toInt();
        EXPECT_TRUE(DialogTemplate::Load(id, t).ok()) << id;
        for (const DialogControl &c : t.controls)
            ids.insert(c.id);
    }
    for (const QObject *o : frame->findChildren<QObject *>()) {
        const auto *action = qobject_cast<const QAction *>(o);
        ids.insert((action ? action->data() : o->property("controlId")).toInt());
    }
    ids.remove(0);
    ids.remove(-1);
    return ids;
}

QUrl Page(const QString &path, const QString &anchor = QString())
{
    QUrl url = QUrl::fromLocalFile(path);
    url.setFragment(anchor); // a null anchor: none
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

TEST(Manual, EveryContextAndLinkLandsOnAnExistingAnchorInBothLanguages)
{
    static const QRegularExpression link(QStringLiteral(R"re(href="([^"]*)")re"));
    HelpTopics topics;
    ASSERT_TRUE(topics.Load(kManual).ok());
    QHash<QString, QSet<QString>> englishAnchors;
    for (const QString &language : kLanguages) {
        const QDir dir(kManual + QLatin1Char('/') + language);
        const QStringList pages = dir.entryList({QStringLiteral("*.html")}, QDir::Files);
        ASSERT_GE(pages.size(), 15);
        QHash<QString, QSet<QString>> anchors;
        for (const QString &page : pages)
            anchors.insert(page, Anchors(TestEnv::ReadFile(dir.filePath(page))));
        const auto lands = [&](const QString &target, const QString &from) {
            const QString file = target.section(QLatin1Char('#'), 0, 0), anchor = target.section(QLatin1Char('#'), 1);
            EXPECT_TRUE(anchors.contains(file) && (anchor.isEmpty() || anchors[file].contains(anchor)))
                << language.toStdString() << " " << from.toStdString() << ": " << target.toStdString();
        };
        for (const QString &page : pages) {
            const QString html = QString::fromUtf8(TestEnv::ReadFile(dir.filePath(page)));
            for (auto it = link.globalMatch(html); it.hasNext();) {
                const QString href = it.next().captured(1);
                if (href != QLatin1String("../manual.css"))
                    lands(href.startsWith(QLatin1Char('#')) ? page + href : href, page);
            }
        }
        StartedApp s(TestIni(language.toLatin1()));
        ASSERT_TRUE(s.started);
        const QSet<int> contexts = Contexts(s.app->MainFrame());
        ASSERT_TRUE(contexts.contains(CProgramView::IdComboDecode) && contexts.contains(Cmd::EditUndo));
        for (int context : contexts) {
            EXPECT_TRUE(topics.Has(context)) << "no page for help context " << context;
            lands(topics.Target(context), QString::number(context));
        }
        if (language == QLatin1String("English"))
            englishAnchors = anchors;
        else
            EXPECT_EQ(anchors, englishAnchors) << "the Chinese pages differ from the English ones";
    }
    EXPECT_EQ(topics.Target(Cmd::HelpTopics), QLatin1String(HelpTopics::kContentsPage));
    EXPECT_EQ(topics.Target(424242), QLatin1String(HelpTopics::kContentsPage));
}

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
}

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
    const QByteArray forward = TestEnv::ReadFile(opened[1].toLocalFile());
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
