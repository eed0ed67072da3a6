// Start-up of the desktop program: languages, the missing bundle, the menu
// changes the settings ask for, the command line, and the real executable;
// the About dialog, and the Language command when nothing changes or it cannot save.
#include "GuiTestSupport.h"

#include "app/CAboutDlg.h"
#include "app/CommandIds.h"
#include "app/DocumentCommands.h"
#include "frame/CChildFrame.h"
#include "frame/CNavigationBar.h"
#include "image/CProgramDoc.h"
#include "image/Texts.h"
#include "settings/SettingsLocation.h"
#include "support/ReadOnlyFolder.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProcess>

namespace {

struct LanguageCase {
    const char *language;
    bool chinese;
    const char *fileMenu, *company, *aboutTitle, *ready;
    const char *about; // Version, Copyrights, Copyrights Owner, the OK button
    const char *cancel; // Qt's own standard button
    const char *filter; // of the file dialogs
};

class StartupLanguage : public ::testing::TestWithParam<LanguageCase> {};

// Menus and strings from the bundle of the language; the Help entry, the
// About dialog and the navigation tree's root from the settings' section of
// the language; the rest in the language.
TEST_P(StartupLanguage, ComesUpInTheConfiguredLanguage)
{
    const LanguageCase &c = GetParam();
    StartedApp s(TestIni(c.language));
    ASSERT_TRUE(s.started);
    CMainFrame *frame = s.app->MainFrame();
    EXPECT_EQ(s.state.helpFile, c.chinese ? "chHelp.chm" : "enHelp.chm");
    const QList<QMenu *> menus = frame->MenuBarMenus();
    ASSERT_EQ(menus.size(), 6);
    EXPECT_EQ(menus[0]->title(), QString::fromUtf8(c.fileMenu));
    EXPECT_EQ(menus[5]->actions().first()->text(), QString::fromUtf8(c.aboutTitle));
    EXPECT_EQ(frame->MessagePane()->text(), QString::fromUtf8(c.ready));
    CAboutDlg about(s.state);
    QStringList shown = {about.windowTitle()};
    for (int id : {1001, 1002, 1003, 1})
        shown << about.Control(id)->property("text").toString();
    EXPECT_EQ(shown.join('|'), QString::fromUtf8(c.aboutTitle) + '|' + QString::fromUtf8(c.about));
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8(c.cancel));
    EXPECT_EQ(s.app->Documents()->Filter(), QString::fromUtf8(c.filter));
    EXPECT_EQ(frame->ActiveChild()->GetDocument().GetTitle(), corvane::Txt::ChannelTitle.text(c.chinese));
    const QTreeWidget *tree = frame->NavigationBar()->Tree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QString::fromUtf8(c.company));
    EXPECT_TRUE(s.script.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Languages, StartupLanguage,
    ::testing::Values(LanguageCase{"English", false, "&File", "Test Radio Works", "About Test...", "Ready",
                                   "Version 9|Copyright 2026|Test Owner|OK", "Cancel", "Memory images (*.dat)"},
                      LanguageCase{"Chinese", true, "文件(&F)", "测试无线电", "关于测试...", "就绪",
                                   "版本 9|版权 2026|测试所有者|确定", "取消", "存储器映像 (*.dat)"},
                      // Small letters find the bundle and section but keep the English flag.
                      LanguageCase{"chinese", false, "文件(&F)", "测试无线电", "关于测试...", "就绪",
                                   "版本 9|版权 2026|测试所有者|确定", "Cancel", "存储器映像 (*.dat)"}),
    [](const auto &info) { return std::string(info.param.language); });

enum class Bundles { Copied, None, Junk };

struct MissingCase {
    const char *name;
    QByteArray ini; // null: no settings file at all
    Bundles bundles;
    const char *message; // %1: the bundle's path in the program folder
    const char *file;
};

class MissingBundle : public ::testing::TestWithParam<MissingCase> {};

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

// ShowLang offers the Language entry for non-zero numbers only (the
// number reader has its own tests); an empty About Title keeps the
// bundle's text.
TEST(Startup, SettingsAdjustTheSetupAndHelpMenus)
{
    const std::pair<QByteArray, bool> showLang[] = {{QByteArray(), false}, {"abc", false}, {"  +2x", true}};
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

TEST(Executable, StartsAndPaintsTheMainWindowOrFailsWithoutItsBundle)
{
    qputenv("CORVANE_SCRIPTED", "1"); // messages to the error output; only the program reads it
    for (const bool bundles : {true, false}) {
        ProgramFolder folder(TestIni("English"), bundles);
        const QString exe = folder.File("Corvane");
        ASSERT_TRUE(QFile::copy(QStringLiteral(CORVANE_BIN_DIR "/Corvane"), exe));
        QProcess p;
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

struct ChoiceCase {
    const char *name, *current;
    int choose; // 1006 English, 1007 Chinese
    int button; // 1 OK, 2 Cancel
};

class LanguageChoice : public ::testing::TestWithParam<ChoiceCase> {};

// The dialog opens on the current language; a change goes to the
// unsaved-changes tests, which follow it to the restart.
TEST_P(LanguageChoice, AnUnchangedOrCancelledChoiceNeitherWritesNorRestarts)
{
    const ChoiceCase &c = GetParam();
    StartedApp s(TestIni(c.current));
    ASSERT_TRUE(s.started);
    const QByteArray before = s.folder.Read("Program.ini");
    AnswerModal<CLanguageDlg>([&](CLanguageDlg *dlg) {
        EXPECT_TRUE(qobject_cast<QRadioButton *>(dlg->Control(s.state.chinese ? 1007 : 1006))->isChecked());
        qobject_cast<QRadioButton *>(dlg->Control(c.choose))->setChecked(true);
        qobject_cast<QPushButton *>(dlg->Control(c.button))->click();
    });
    ASSERT_TRUE(s.app->MainFrame()->Router().Execute(Cmd::Language));
    EXPECT_TRUE(s.script.restarts.isEmpty());
    EXPECT_EQ(s.state.settings.GetString("Setup", "Language"), QByteArray(c.current));
    EXPECT_EQ(s.folder.Read("Program.ini"), before);
}

INSTANTIATE_TEST_SUITE_P(Choices, LanguageChoice,
                         ::testing::Values(ChoiceCase{"EnglishKept", "English", 1006, 1},
                                           ChoiceCase{"ChineseKept", "Chinese", 1007, 1},
                                           ChoiceCase{"Cancelled", "English", 1007, 2}),
                         [](const auto &info) { return std::string(info.param.name); });

using LanguageCommand = AppFixture;

// An installed program: the choice goes to the per-user copy of the
// settings, which the restarted program reads (the settings' own tests
// show that it does).
TEST_F(LanguageCommand, ReadOnlyProgramFolderSavesThePersonalCopy)
{
    const QByteArray installed = s.folder.Read("Program.ini");
    {
        ReadOnlyFolder readOnly(QFileInfo(s.folder.File(QStringLiteral("Program.ini"))).absolutePath());
        AnswerLanguageDialog(1007);
        ASSERT_TRUE(Run(Cmd::Language));
        ASSERT_EQ(s.script.restarts.size(), 1);
        EXPECT_TRUE(s.script.messages.isEmpty());
        EXPECT_EQ(s.state.settings.Path(), SettingsLocation::PersonalCopy(QStringLiteral("Program.ini")));
    }
    EXPECT_EQ(s.folder.Read("Program.ini"), installed);
    QFile::remove(s.state.settings.Path());
}

TEST_F(LanguageCommand, UnwritableSettingsStopTheRestart)
{
    // A folder where the settings file was makes the save fail.
    QFile::remove(s.folder.File("Program.ini"));
    ASSERT_TRUE(QDir().mkdir(s.folder.File("Program.ini")));
    AnswerLanguageDialog(1007);
    ASSERT_TRUE(Run(Cmd::Language));
    EXPECT_TRUE(s.script.restarts.isEmpty());
    ASSERT_EQ(s.script.messages.size(), 1);
    EXPECT_TRUE(s.script.messages[0].contains("Program.ini"));
    EXPECT_TRUE(frame->isVisible());
}

} // namespace
