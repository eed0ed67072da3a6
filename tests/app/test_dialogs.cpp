// About and Language dialogs, the restart after a change of language, and
// the dialog templates of both language bundles.
#include "GuiTestSupport.h"

#include "app/CAboutDlg.h"
#include "app/CLanguageDlg.h"
#include "settings/SettingsLocation.h"
#include "support/ReadOnlyFolder.h"
#include "app/CommandIds.h"
#include "app/DialogBuilder.h"
#include "frame/CMainFrame.h"

#include <QButtonGroup>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

TEST(AboutDialog, ShowsTheLanguageSectionTexts)
{
    for (const char *lang : {"English", "Chinese"}) {
        StartedApp s(TestIni(lang));
        ASSERT_TRUE(s.started);
        CAboutDlg dlg(s.state);
        const bool zh = s.state.chinese;
        EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8(zh ? "关于测试..." : "About Test..."));
        EXPECT_EQ(qobject_cast<QLabel *>(dlg.Control(1001))->text(), QString::fromUtf8(zh ? "版本 9" : "Version 9"));
        EXPECT_EQ(qobject_cast<QLabel *>(dlg.Control(1002))->text(), QString::fromUtf8(zh ? "版权 2026" : "Copyright 2026"));
        EXPECT_EQ(qobject_cast<QLabel *>(dlg.Control(1003))->text(), QString::fromUtf8(zh ? "测试所有者" : "Test Owner"));
        EXPECT_EQ(qobject_cast<QPushButton *>(dlg.Control(1))->text(), QString::fromUtf8(zh ? "确定" : "OK"));
        EXPECT_EQ(dlg.Control(2), nullptr);
    }
}

TEST(AboutDialog, TakesTitleIcoFromTheCurrentFolder)
{
    StartedApp s(TestIni("English"));
    const QPixmap templateIcon = qobject_cast<QLabel *>(CAboutDlg(s.state).Control(1004))->pixmap();
    QImage red(32, 32, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(s.folder.File("title.ico"), "ICO"));
    CAboutDlg dlg(s.state);
    const QImage shown = qobject_cast<QLabel *>(dlg.Control(1004))->pixmap().toImage();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(QColor(shown.pixel(shown.width() / 2, shown.height() / 2)), QColor(Qt::red));
    EXPECT_FALSE(templateIcon.isNull());
}

struct LanguageCase {
    const char *current;
    int choose;           // 1006 or 1007
    bool changed;
    const char *stored;   // "Setup"/"Language" afterwards
};

class LanguageDialog : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(LanguageDialog, WritesTheOtherLanguageOnlyWhenItChanged)
{
    const LanguageCase &c = GetParam();
    StartedApp s(TestIni(c.current));
    ASSERT_TRUE(s.started);
    CLanguageDlg dlg(s.state);
    EXPECT_EQ(dlg.m_nIndex, s.state.chinese ? 1 : 0);
    EXPECT_TRUE(qobject_cast<QRadioButton *>(dlg.Control(s.state.chinese ? 1007 : 1006))->isChecked());
    qobject_cast<QRadioButton *>(dlg.Control(c.choose))->setChecked(true);
    EXPECT_FALSE(qobject_cast<QRadioButton *>(dlg.Control(c.choose == 1006 ? 1007 : 1006))->isChecked());
    qobject_cast<QPushButton *>(dlg.Control(1))->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_bChanged, c.changed);
    EXPECT_EQ(s.state.settings.GetString("Setup", "Language"), QByteArray(c.stored));
    EXPECT_EQ(s.state.settings.IsDirty(), c.changed);
}

INSTANTIATE_TEST_SUITE_P(Choices, LanguageDialog,
                         ::testing::Values(LanguageCase{"English", 1007, true, "Chinese"},
                                           LanguageCase{"English", 1006, false, "English"},
                                           LanguageCase{"Chinese", 1006, true, "English"},
                                           LanguageCase{"Chinese", 1007, false, "Chinese"}),
                         [](const auto &info) {
                             return std::string(info.param.current) + "To" + std::to_string(info.param.choose);
                         });

TEST(LanguageDialogKeys, CancelChangesNothingAndF1AsksHelp)
{
    StartedApp s(TestIni("English"));
    HelpRecorder help;
    CLanguageDlg dlg(s.state);
    qobject_cast<QRadioButton *>(dlg.Control(1007))->setChecked(true);
    QTest::keyClick(&dlg, Qt::Key_F1);
    ASSERT_EQ(help.calls.size(), 1);
    EXPECT_EQ(help.calls[0], qMakePair(QStringLiteral("enHelp.chm"), 32799));
    qobject_cast<QPushButton *>(dlg.Control(2))->click();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_FALSE(dlg.m_bChanged);
    EXPECT_FALSE(s.state.settings.IsDirty());
}

// Runs the Language command, answering its modal dialog with `radio`.
void RunLanguageCommand(StartedApp &s, int radio)
{
    QTimer::singleShot(0, [radio] {
        auto *dlg = qobject_cast<CLanguageDlg *>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        qobject_cast<QRadioButton *>(dlg->Control(radio))->setChecked(true);
        qobject_cast<QPushButton *>(dlg->Control(1))->click();
    });
    ASSERT_TRUE(s.app->MainFrame()->Router().Execute(Cmd::Language));
}

TEST(LanguageCommand, SavesTheSettingsBeforeTheRestart)
{
    StartedApp s(TestIni("English"));
    ASSERT_TRUE(s.started);
    QByteArray onDiskAtRestart;
    Prompts p = s.app->UserPrompts();
    s.app->UserPrompts().restart = [&](const QString &program) {
        onDiskAtRestart = s.folder.Read("Program.ini");
        return p.restart(program);
    };
    RunLanguageCommand(s, 1007);
    ASSERT_EQ(s.script.restarts, QStringList{QCoreApplication::applicationFilePath()});
    EXPECT_TRUE(onDiskAtRestart.contains("Language=Chinese\r\n")) << onDiskAtRestart.toStdString();
    EXPECT_FALSE(s.app->MainFrame()->isVisible());
}

TEST(LanguageCommand, SameLanguageNeitherWritesNorRestarts)
{
    StartedApp s(TestIni("Chinese"));
    const QByteArray before = s.folder.Read("Program.ini");
    RunLanguageCommand(s, 1007);
    EXPECT_TRUE(s.script.restarts.isEmpty());
    EXPECT_EQ(s.folder.Read("Program.ini"), before);
    EXPECT_TRUE(s.app->MainFrame()->isVisible());
}

// An installed program: the choice goes to the per-user copy of the
// settings, which the restarted program reads.
TEST(LanguageCommand, ReadOnlyProgramFolderSavesThePersonalCopy)
{
    StartedApp s(TestIni("English"));
    const QByteArray installed = s.folder.Read("Program.ini");
    const QString copy = SettingsLocation::PersonalCopy(QStringLiteral("Program.ini"));
    {
        ReadOnlyFolder readOnly(QFileInfo(s.folder.File(QStringLiteral("Program.ini"))).absolutePath());
        RunLanguageCommand(s, 1007);
        ASSERT_EQ(s.script.restarts.size(), 1);
        EXPECT_TRUE(s.script.messages.isEmpty());
        EXPECT_EQ(s.state.settings.Path(), copy);
        AppState restarted;
        restarted.settings.Load("Program.ini", false);
        EXPECT_EQ(restarted.settings.GetString("Setup", "Language"), "Chinese");
    }
    EXPECT_EQ(s.folder.Read("Program.ini"), installed);
    QFile::remove(copy);
}

TEST(LanguageCommand, UnwritableSettingsStopTheRestart)
{
    StartedApp s(TestIni("English"));
    // A folder where the settings file was makes the save fail.
    QFile::remove(s.folder.File("Program.ini"));
    ASSERT_TRUE(QDir().mkdir(s.folder.File("Program.ini")));
    RunLanguageCommand(s, 1007);
    EXPECT_TRUE(s.script.restarts.isEmpty());
    ASSERT_EQ(s.script.messages.size(), 1);
    EXPECT_TRUE(s.script.messages[0].contains("Program.ini"));
    EXPECT_TRUE(s.app->MainFrame()->isVisible());
}

} // namespace
