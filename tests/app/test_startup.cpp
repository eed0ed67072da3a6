// Start-up of the desktop program: languages, the missing bundle, the menu
// changes the settings ask for, the command line, and the real executable.
#include "GuiTestSupport.h"

#include "app/CommandIds.h"
#include "app/DocumentCommands.h"
#include "frame/CChildFrame.h"
#include "frame/CNavigationBar.h"
#include "image/CProgramDoc.h"
#include "image/Texts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProcess>

namespace {

struct LanguageCase {
    const char *language;
    bool chinese;
    const char *fileMenu, *company, *aboutTitle, *ready;
    const char *cancel; // Qt's own standard button
    const char *filter; // of the file dialogs
};

void PrintTo(const LanguageCase &c, std::ostream *os) { *os << c.language; }

class StartupLanguage : public ::testing::TestWithParam<LanguageCase> {};

// Menus and strings from the bundle of the language, the Help entry and the
// navigation tree's root from the settings, the rest in the language.
TEST_P(StartupLanguage, ComesUpInTheConfiguredLanguage)
{
    const LanguageCase &c = GetParam();
    StartedApp s(TestIni(c.language));
    ASSERT_TRUE(s.started);
    CMainFrame *frame = s.app->MainFrame();
    EXPECT_TRUE(frame->isMaximized());
    EXPECT_EQ(s.state.chinese, c.chinese);
    EXPECT_EQ(s.state.helpFile, c.chinese ? "chHelp.chm" : "enHelp.chm");
    const QList<QMenu *> menus = frame->MenuBarMenus();
    ASSERT_EQ(menus.size(), 6);
    EXPECT_EQ(menus[0]->title(), QString::fromUtf8(c.fileMenu));
    EXPECT_EQ(menus[5]->actions().first()->text(), QString::fromUtf8(c.aboutTitle));
    EXPECT_EQ(frame->MessagePane()->text(), QString::fromUtf8(c.ready));
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8(c.cancel));
    EXPECT_EQ(s.app->Documents()->Filter(), QString::fromUtf8(c.filter));
    EXPECT_EQ(frame->ActiveChild()->GetDocument().GetTitle(), corvane::Txt::ChannelTitle.text(c.chinese));
    EXPECT_TRUE(s.state.newDocument);
    const QTreeWidget *tree = frame->NavigationBar()->Tree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QString::fromUtf8(c.company));
    EXPECT_EQ(frame->NavigationBar()->Caption(), QString::fromUtf8(c.company));
    ASSERT_EQ(tree->topLevelItem(0)->childCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(tree->topLevelItem(0)->child(i)->text(0), CNavigationBar::ItemText(i).text(c.chinese));
    EXPECT_TRUE(s.script.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Languages, StartupLanguage,
    ::testing::Values(LanguageCase{"English", false, "&File", "Test Radio Works", "About Test...", "Ready", "Cancel",
                                   "Memory images (*.dat)"},
                      LanguageCase{"Chinese", true, "文件(&F)", "测试无线电", "关于测试...", "就绪", "取消",
                                   "存储器映像 (*.dat)"}),
    [](const auto &info) { return std::string(info.param.language); });

TEST(Startup, SmallLettersFindTheBundleButKeepTheEnglishFlag)
{
    StartedApp s(TestIni("chinese"));
    ASSERT_TRUE(s.started);
    EXPECT_EQ(s.state.helpFile, "enHelp.chm");
    EXPECT_EQ(s.app->MainFrame()->MenuBarMenus().at(0)->title(), QString::fromUtf8("文件(&F)"));
    EXPECT_EQ(s.app->MainFrame()->ActiveChild()->GetDocument().GetTitle(), "Channel Information");
}

enum class Bundles { Copied, None, Junk };

struct MissingCase {
    const char *name;
    QByteArray ini; // null: no settings file at all
    Bundles bundles;
    const char *message; // %1: the bundle's path in the program folder
    const char *file;
};

void PrintTo(const MissingCase &c, std::ostream *os) { *os << c.name; }

class MissingBundle : public ::testing::TestWithParam<MissingCase> {};

// No window, the file looked for in the message, and a settings file
// created where there was none.
TEST_P(MissingBundle, ReportsTheFileAndCreatesNoWindow)
{
    const MissingCase &c = GetParam();
    StartedApp s(c.ini, {}, c.bundles == Bundles::Copied, [&](ProgramFolder &f) {
        if (c.bundles == Bundles::Junk)
            f.Write("English.rcc", "this is not a resource bundle");
    });
    EXPECT_FALSE(s.started);
    EXPECT_EQ(s.app->MainFrame(), nullptr);
    EXPECT_EQ(s.script.messages, QStringList{QString::fromUtf8(c.message).arg(s.folder.File(c.file))});
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->metaObject()->className();
    EXPECT_TRUE(QFile::exists(s.folder.File("Program.ini")));
}

const char *const kFail = "Load language DLL fail\nLooked for: %1";

INSTANTIATE_TEST_SUITE_P(
    Cases, MissingBundle,
    ::testing::Values(MissingCase{"UnknownLanguage", TestIni("Klingon"), Bundles::Copied, kFail, "Klingon.rcc"},
                      MissingCase{"NoSettingsFile", QByteArray(), Bundles::Copied, kFail, ".rcc"},
                      MissingCase{"UnreadableBundle", TestIni("English"), Bundles::Junk, kFail, "English.rcc"},
                      MissingCase{"ChineseWithoutBundles", TestIni("Chinese"), Bundles::None,
                                  "加载语言链接库失败\n查找的文件：%1", "Chinese.rcc"}),
    [](const auto &info) { return std::string(info.param.name); });

// ShowLang offers the Language entry for non-zero numbers only; an empty
// About Title keeps the bundle's text.
TEST(Startup, SettingsAdjustTheSetupAndHelpMenus)
{
    const std::pair<QByteArray, bool> showLang[] = {{QByteArray(), false}, {"0", false}, {"abc", false},
                                                    {"", false},           {"1", true},  {"  +2x", true},
                                                    {"-1", true}};
    for (const auto &[value, offered] : showLang) {
        QByteArray ini = TestIni("English", value);
        ini.replace("About Title=About Test...", "About Title=");
        StartedApp s(ini);
        ASSERT_TRUE(s.started);
        CMainFrame *frame = s.app->MainFrame();
        EXPECT_EQ(MenuAction(frame, 4, Cmd::Language) != nullptr, offered) << value.toStdString();
        EXPECT_NE(MenuAction(frame, 4, Cmd::ComSetup), nullptr);
        EXPECT_EQ(frame->DocumentMenu(5)->actions().first()->text(), "&About");
    }
}

TEST(Startup, CommandLineFileIsOpenedWithoutHidingAnything)
{
    StartedApp s(TestIni("English"), {"radio.dat"}, true,
                 [](ProgramFolder &f) { f.Write("radio.dat", QByteArray(8192, '\xFF')); });
    ASSERT_TRUE(s.started);
    ASSERT_EQ(s.app->MainFrame()->ChildFrames().size(), 1);
    EXPECT_TRUE(s.app->MainFrame()->ActiveChild()->isVisible());
    EXPECT_EQ(s.app->MainFrame()->ActiveChild()->GetDocument().GetTitle(), "radio.dat");
    EXPECT_FALSE(s.state.newDocument);

    StartedApp failing(TestIni("English"), {"no-such-file.dat"});
    EXPECT_FALSE(failing.started) << "a file that cannot be opened ends start-up";
    EXPECT_EQ(failing.app->MainFrame(), nullptr);
    ASSERT_EQ(failing.script.messages.size(), 1);
    EXPECT_TRUE(failing.script.messages[0].contains("no-such-file.dat"));
}

// The real executable, run to its first paint in a folder of its own, and
// without its bundle.
TEST(Executable, StartsAndPaintsTheMainWindowOrFailsWithoutItsBundle)
{
    for (const bool bundles : {true, false}) {
        ProgramFolder folder(TestIni("English"), bundles);
        const QString exe = folder.File("Corvane");
        ASSERT_TRUE(QFile::copy(QStringLiteral(CORVANE_BIN_DIR "/Corvane"), exe));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("CORVANE_SCRIPTED", "1");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.start(exe, {});
        ASSERT_TRUE(p.waitForFinished(60000));
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        const QString err = QString::fromUtf8(p.readAllStandardError());
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode() == 0, bundles) << err.toStdString();
        EXPECT_EQ(out.startsWith("first paint"), bundles) << out.toStdString();
        EXPECT_EQ(err.contains("Load language DLL fail"), !bundles) << err.toStdString();
    }
}

} // namespace
