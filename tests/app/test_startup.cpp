// Start-up of the desktop program: languages, the missing bundle, the menu
// changes the settings ask for, the command line, and the real executable.
#include "GuiTestSupport.h"

#include "app/CommandIds.h"
#include "app/DocumentCommands.h"
#include "frame/CChildFrame.h"
#include "frame/CMainFrame.h"
#include "frame/CNavigationBar.h"
#include "image/CProgramDoc.h"
#include "image/Codecs.h"
#include "image/Texts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QMenu>
#include <QProcess>
#include <QTreeWidget>

namespace {

QStringList EntryTexts(const QMenu *menu)
{
    QStringList out;
    for (const QAction *a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

struct LanguageCase {
    const char *language;
    bool chinese;
    const char *fileMenu;
    const char *company;
    const char *aboutTitle;
    const char *ready;
    const char *cancel; // Qt's own standard button
    const char *filter; // of the file dialogs
};

class StartupLanguage : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(StartupLanguage, ComesUpInTheConfiguredLanguage)
{
    const LanguageCase &c = GetParam();
    StartedApp s(TestIni(c.language));
    ASSERT_TRUE(s.started);
    CMainFrame *frame = s.app->MainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->isMaximized());
    EXPECT_EQ(s.state.chinese, c.chinese);
    EXPECT_EQ(s.state.helpFile, c.chinese ? "chHelp.chm" : "enHelp.chm");
    EXPECT_EQ(s.state.appName, QString::fromUtf8(c.company));

    // Menu 129 from the bundle of the language, Help entry from the settings.
    const QList<QMenu *> menus = frame->MenuBarMenus();
    ASSERT_EQ(menus.size(), 6);
    EXPECT_EQ(menus[0]->title(), QString::fromUtf8(c.fileMenu));
    EXPECT_EQ(menus[5]->actions().first()->text(), QString::fromUtf8(c.aboutTitle));
    EXPECT_EQ(frame->MessagePane()->text(), QString::fromUtf8(c.ready));
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8(c.cancel));
    EXPECT_EQ(s.app->Documents()->Filter(), QString::fromUtf8(c.filter));

    // The new document and its window.
    ASSERT_EQ(frame->ChildFrames().size(), 1);
    CChildFrame *child = frame->ActiveChild();
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(child->isVisible());
    EXPECT_EQ(child->GetDocument().GetTitle(), corvane::Txt::ChannelTitle.text(c.chinese));
    EXPECT_TRUE(s.state.newDocument);
    EXPECT_EQ(frame->windowTitle(), s.state.caption);
    EXPECT_FALSE(frame->windowTitle().isEmpty());

    // Navigation tree: root from the settings, items in the language.
    const QTreeWidget *tree = frame->NavigationBar()->Tree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    const QTreeWidgetItem *root = tree->topLevelItem(0);
    EXPECT_EQ(root->text(0), QString::fromUtf8(c.company));
    EXPECT_EQ(frame->NavigationBar()->Caption(), QString::fromUtf8(c.company));
    ASSERT_EQ(root->childCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(root->child(i)->text(0), CNavigationBar::ItemText(i).text(c.chinese));
    EXPECT_TRUE(s.script.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Languages, StartupLanguage,
                         ::testing::Values(LanguageCase{"English", false, "&File", "Test Radio Works",
                                                        "About Test...", "Ready", "Cancel", "Memory images (*.dat)"},
                                           LanguageCase{"Chinese", true, "文件(&F)", "测试无线电",
                                                        "关于测试...", "就绪", "取消", "存储器映像 (*.dat)"}),
                         [](const auto &info) { return std::string(info.param.language); });

TEST(Startup, SmallLettersFindTheBundleButKeepTheEnglishFlag)
{
    StartedApp s(TestIni("chinese"));
    ASSERT_TRUE(s.started);
    EXPECT_FALSE(s.state.chinese);
    EXPECT_EQ(s.state.helpFile, "enHelp.chm");
    EXPECT_EQ(s.app->MainFrame()->MenuBarMenus().at(0)->title(), QString::fromUtf8("文件(&F)"));
    EXPECT_EQ(s.app->MainFrame()->ActiveChild()->GetDocument().GetTitle(), "Channel Information");
}

struct MissingCase {
    const char *name;
    QByteArray ini;  // null: no settings file at all
    bool bundles;
    const char *message; // %1: the bundle's path in the program folder
    const char *file;
};

class MissingBundle : public ::testing::TestWithParam<MissingCase> {};

TEST_P(MissingBundle, ReportsTheFileAndCreatesNoWindow)
{
    const MissingCase &c = GetParam();
    StartedApp s(c.ini, {}, c.bundles);
    EXPECT_FALSE(s.started);
    EXPECT_EQ(s.app->MainFrame(), nullptr);
    EXPECT_EQ(s.script.messages, QStringList{QString::fromUtf8(c.message).arg(s.folder.File(c.file))});
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->metaObject()->className();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MissingBundle,
    ::testing::Values(
        MissingCase{"UnknownLanguage", TestIni("Klingon"), true, "Load language DLL fail\nLooked for: %1", "Klingon.rcc"},
        MissingCase{"EmptyLanguage", TestIni(""), true, "Load language DLL fail\nLooked for: %1", ".rcc"},
        MissingCase{"NoSettingsFile", QByteArray(), true, "Load language DLL fail\nLooked for: %1", ".rcc"},
        MissingCase{"ChineseWithoutBundles", TestIni("Chinese"), false, "加载语言链接库失败\n查找的文件：%1",
                    "Chinese.rcc"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Startup, MissingSettingsFileIsCreatedEmpty)
{
    StartedApp s{QByteArray()};
    EXPECT_FALSE(s.started);
    EXPECT_TRUE(QFile::exists(s.folder.File("Program.ini")));
}

TEST(Startup, UnreadableBundleCountsAsMissing)
{
    ProgramFolder folder(TestIni("English"), false);
    folder.Write("English.rcc", "this is not a resource bundle");
    AppState state;
    PromptScript script;
    CProgramApp app(state, script.Make());
    EXPECT_FALSE(app.InitInstance({}));
    EXPECT_EQ(script.messages, QStringList{"Load language DLL fail\nLooked for: " + folder.File("English.rcc")});
}

struct ShowLangCase {
    QByteArray value;  // null: key absent
    bool offered;
};

class ShowLang : public ::testing::TestWithParam<ShowLangCase> {};

TEST_P(ShowLang, OffersTheLanguageEntryOnlyForNonZeroNumbers)
{
    StartedApp s(TestIni("English", GetParam().value));
    ASSERT_TRUE(s.started);
    QStringList ids;
    for (const QAction *a : s.app->MainFrame()->DocumentMenu(4)->actions())
        ids << QString::number(a->data().toInt());
    EXPECT_EQ(ids.contains(QString::number(Cmd::Language)), GetParam().offered) << ids.join(',').toStdString();
    EXPECT_TRUE(ids.contains(QString::number(Cmd::ComSetup)));
}

INSTANTIATE_TEST_SUITE_P(Values, ShowLang,
                         ::testing::Values(ShowLangCase{QByteArray(), false}, ShowLangCase{"0", false},
                                           ShowLangCase{"abc", false}, ShowLangCase{"", false},
                                           ShowLangCase{"1", true}, ShowLangCase{"  +2x", true},
                                           ShowLangCase{"-1", true}),
                         [](const auto &info) { return "Case" + std::to_string(info.index); });

TEST(Startup, EmptyAboutTitleKeepsTheBundleText)
{
    QByteArray ini = TestIni("English");
    ini.replace("About Title=About Test...", "About Title=");
    StartedApp s(ini);
    ASSERT_TRUE(s.started);
    EXPECT_EQ(EntryTexts(s.app->MainFrame()->DocumentMenu(5)), (QStringList{"&About", "-", "&Help Topics"}));
}

TEST(Startup, CommandLineFileIsOpenedWithoutHidingAnything)
{
    ProgramFolder folder(TestIni("English"));
    folder.Write("radio.dat", QByteArray(8192, '\xFF'));
    AppState state;
    PromptScript script;
    CProgramApp app(state, script.Make());
    ASSERT_TRUE(app.InitInstance({folder.File("radio.dat")}));
    CMainFrame *frame = app.MainFrame();
    ASSERT_EQ(frame->ChildFrames().size(), 1);
    EXPECT_TRUE(frame->ActiveChild()->isVisible());
    EXPECT_EQ(frame->ActiveChild()->GetDocument().GetTitle(), "radio.dat");
    EXPECT_FALSE(state.newDocument);
    EXPECT_TRUE(frame->isVisible());
}

TEST(Startup, CommandLineFileThatCannotBeOpenedEndsStartUp)
{
    StartedApp s(TestIni("English"), {QStringLiteral("no-such-file.dat")});
    EXPECT_FALSE(s.started);
    EXPECT_EQ(s.app->MainFrame(), nullptr);
    ASSERT_EQ(s.script.messages.size(), 1);
    EXPECT_TRUE(s.script.messages[0].contains("no-such-file.dat"));
}

// The real executable, run to its first paint in a folder of its own.
class Executable : public ::testing::Test {
protected:
    int Run(bool bundles, QString *out, QString *err)
    {
        ProgramFolder folder(TestIni("English"), bundles);
        const QString exe = folder.File("Corvane");
        EXPECT_TRUE(QFile::copy(QStringLiteral(CORVANE_BIN_DIR "/Corvane"), exe));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("CORVANE_SCRIPTED", "1");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.start(exe, {});
        EXPECT_TRUE(p.waitForFinished(60000));
        *out = QString::fromUtf8(p.readAllStandardOutput());
        *err = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
};

TEST_F(Executable, StartsAndPaintsTheMainWindow)
{
    QString out, err;
    EXPECT_EQ(Run(true, &out, &err), 0) << err.toStdString();
    EXPECT_TRUE(out.startsWith("first paint")) << out.toStdString();
}

TEST_F(Executable, ExitsWithFailureWithoutItsBundle)
{
    QString out, err;
    EXPECT_NE(Run(false, &out, &err), 0);
    EXPECT_TRUE(err.contains("Load language DLL fail")) << err.toStdString();
    EXPECT_FALSE(out.contains("first paint"));
}

} // namespace
