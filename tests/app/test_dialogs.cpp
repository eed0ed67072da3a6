// About and Language dialogs, and the restart after a change of language.
#include "GuiTestSupport.h"

#include "app/CAboutDlg.h"
#include "app/CommandIds.h"
#include "settings/SettingsLocation.h"
#include "support/ReadOnlyFolder.h"

#include <QImage>
#include <QLabel>

namespace {

// The texts of the language's settings section; title.ico of the current
// folder replaces the bundle's icon.
TEST(AboutDialog, ShowsTheLanguageSectionTextsAndTheFoldersIcon)
{
    const QStringList texts[] = {{"About Test...", "Version 9", "Copyright 2026", "Test Owner", "OK"},
                                 {"关于测试...", "版本 9", "版权 2026", "测试所有者", "确定"}};
    for (const QStringList &want : texts) {
        StartedApp s(TestIni(&want == texts ? "English" : "Chinese"));
        ASSERT_TRUE(s.started);
        for (const bool icon : {false, true}) {
            QImage red(32, 32, QImage::Format_ARGB32);
            red.fill(Qt::red);
            ASSERT_TRUE(!icon || red.save(s.folder.File("title.ico"), "ICO"));
            CAboutDlg dlg(s.state);
            const auto text = [&](int id) { return qobject_cast<QLabel *>(dlg.Control(id))->text(); };
            EXPECT_EQ((QStringList{dlg.windowTitle(), text(1001), text(1002), text(1003),
                                   qobject_cast<QPushButton *>(dlg.Control(1))->text()}), want);
            EXPECT_EQ(dlg.Control(2), nullptr);
            const QImage shown = qobject_cast<QLabel *>(dlg.Control(1004))->pixmap().toImage();
            ASSERT_FALSE(shown.isNull());
            EXPECT_EQ(QColor(shown.pixel(shown.width() / 2, shown.height() / 2)) == QColor(Qt::red), icon);
        }
    }
}

struct LanguageCase {
    const char *name, *current;
    int choose; // 1006 English, 1007 Chinese
    int button; // 1 OK, 2 Cancel
    bool changed;
    const char *stored; // "Setup"/"Language" afterwards
};

void PrintTo(const LanguageCase &c, std::ostream *os) { *os << c.name; }

class LanguageDialog : public ::testing::TestWithParam<LanguageCase> {};

// Opens on the current language, writes the other one only when it changed
// and OK was pressed; F1 asks for its help page.
TEST_P(LanguageDialog, WritesTheOtherLanguageOnlyWhenItChanged)
{
    const LanguageCase &c = GetParam();
    StartedApp s(TestIni(c.current));
    ASSERT_TRUE(s.started);
    HelpRecorder help;
    CLanguageDlg dlg(s.state);
    const auto radio = [&](int id) { return qobject_cast<QRadioButton *>(dlg.Control(id)); };
    EXPECT_TRUE(radio(s.state.chinese ? 1007 : 1006)->isChecked());
    radio(c.choose)->setChecked(true);
    QTest::keyClick(&dlg, Qt::Key_F1);
    EXPECT_EQ(help.calls, (QList<QPair<QString, int>>{{s.state.helpFile, CLanguageDlg::kHelpContext}}));
    dlg.show();
    qobject_cast<QPushButton *>(dlg.Control(c.button))->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), c.button == 1 ? QDialog::Accepted : QDialog::Rejected);
    EXPECT_EQ(dlg.m_bChanged, c.changed);
    EXPECT_EQ(s.state.settings.GetString("Setup", "Language"), QByteArray(c.stored));
    EXPECT_EQ(s.state.settings.IsDirty(), c.changed);
}

INSTANTIATE_TEST_SUITE_P(Choices, LanguageDialog,
                         ::testing::Values(LanguageCase{"EnglishToChinese", "English", 1007, 1, true, "Chinese"},
                                           LanguageCase{"EnglishKept", "English", 1006, 1, false, "English"},
                                           LanguageCase{"ChineseToEnglish", "Chinese", 1006, 1, true, "English"},
                                           LanguageCase{"ChineseKept", "Chinese", 1007, 1, false, "Chinese"},
                                           LanguageCase{"Cancelled", "English", 1007, 2, false, "English"}),
                         [](const auto &info) { return std::string(info.param.name); });

using LanguageCommand = AppFixture;

// The choice is on disk before the restart; the same language neither
// writes nor restarts.
TEST_F(LanguageCommand, SavesTheSettingsBeforeTheRestart)
{
    QByteArray onDiskAtRestart;
    const Prompts p = s.app->UserPrompts();
    s.app->UserPrompts().restart = [&](const QString &program) {
        onDiskAtRestart = s.folder.Read("Program.ini");
        return p.restart(program);
    };
    const QByteArray before = s.folder.Read("Program.ini");
    AnswerLanguageDialog(1006);
    ASSERT_TRUE(Run(Cmd::Language));
    EXPECT_TRUE(s.script.restarts.isEmpty());
    EXPECT_EQ(s.folder.Read("Program.ini"), before);
    EXPECT_TRUE(frame->isVisible());

    AnswerLanguageDialog(1007);
    ASSERT_TRUE(Run(Cmd::Language));
    ASSERT_EQ(s.script.restarts, QStringList{QCoreApplication::applicationFilePath()});
    EXPECT_TRUE(onDiskAtRestart.contains("Language=Chinese\r\n")) << onDiskAtRestart.toStdString();
    EXPECT_FALSE(frame->isVisible());
}

// An installed program: the choice goes to the per-user copy of the
// settings, which the restarted program reads.
TEST_F(LanguageCommand, ReadOnlyProgramFolderSavesThePersonalCopy)
{
    const QByteArray installed = s.folder.Read("Program.ini");
    const QString copy = SettingsLocation::PersonalCopy(QStringLiteral("Program.ini"));
    {
        ReadOnlyFolder readOnly(QFileInfo(s.folder.File(QStringLiteral("Program.ini"))).absolutePath());
        AnswerLanguageDialog(1007);
        ASSERT_TRUE(Run(Cmd::Language));
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
