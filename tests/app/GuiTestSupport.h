#pragma once
// Shared by the widget tests: the application object, a throw-away program
// folder (settings file, language bundles, current folder) and prompts
// that answer from a script and record what they were asked.
#include "app/AppState.h"
#include "app/CLanguageDlg.h"
#include "app/CProgramApp.h"
#include "app/HelpService.h"
#include "app/Prompts.h"
#include "frame/CMainFrame.h"
#include "settings/CProfileFile.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <deque>
#include <memory>

// One QApplication for the whole test program, and a private per-user
// store so the tests never touch the real one.
class QtEnvironment : public ::testing::Environment {
    QTemporaryDir m_config;
    std::unique_ptr<QApplication> m_app;

public:
    void SetUp() override
    {
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        static int argc = 1;
        static char name[] = "corvane-tests", *argv[] = {name, nullptr};
        m_app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }
};
inline ::testing::Environment *const g_qtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

inline QByteArray TestIni(const QByteArray &language, const QByteArray &showLang = "1")
{
    QByteArray ini = "[Setup]\r\nLanguage=" + language + "\r\n";
    if (!showLang.isNull())
        ini += "ShowLang=" + showLang + "\r\n";
    ini += "AppName=CorvaneTest\r\nType1=CV-100\r\nField1=136-174MHz|400-470MHz\r\n"
           "[English]\r\nCompany=Test Radio Works\r\nAbout Title=About Test...\r\nVersion=Version 9\r\n"
           "Copyrights=Copyright 2026\r\nCopyrights Owner=Test Owner\r\nAppName=Test Programmer\r\n"
           "[Chinese]\r\nCompany=测试无线电\r\nAbout Title=关于测试...\r\nVersion=版本 9\r\n"
           "Copyrights=版权 2026\r\nCopyrights Owner=测试所有者\r\nAppName=测试编程软件\r\n";
    return ini;
}

// A program folder: Program.ini (when given), copies of the built language
// bundles, and the current folder for the duration of the test.
class ProgramFolder {
public:
    explicit ProgramFolder(const QByteArray &ini, bool bundles = true) : m_old(QDir::currentPath())
    {
        if (!ini.isNull())
            Write(QStringLiteral("Program.ini"), ini);
        if (bundles)
            for (const char *lang : {"English", "Chinese"})
                QFile::copy(QStringLiteral(CORVANE_BIN_DIR "/%1.rcc").arg(QLatin1String(lang)),
                            File(QStringLiteral("%1.rcc").arg(QLatin1String(lang))));
        CProfileFile::SetProgramPath(File(QStringLiteral("Corvane")));
        QDir::setCurrent(m_dir.path());
    }
    ~ProgramFolder() { QDir::setCurrent(m_old); }

    QString File(const QString &name) const { return m_dir.filePath(name); }
    void Write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(File(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray Read(const QString &name) const { return testenv::TestEnv::ReadFile(File(name)); }

private:
    QString m_old;
    QTemporaryDir m_dir;
};

// Prompts that take their answers from queues and record every question.
struct PromptScript {
    std::deque<QMessageBox::StandardButton> answers;  // default: OK
    std::deque<QString> fileNames;                    // default: cancelled
    std::deque<int> filterChoices;                    // default: the filter offered
    QStringList messages, captions, proposedNames, restarts;
    QByteArray settingsAtRestart; // Program.ini of the current folder then

    Prompts Make()
    {
        Prompts p;
        p.message = [this](QWidget *, const QString &caption, const QString &text, QMessageBox::StandardButtons) {
            captions << caption;
            messages << text;
            return Pop(answers, QMessageBox::Ok);
        };
        p.openFile = [this](QWidget *, const QString &, const QString &proposed, const QString &) {
            proposedNames << proposed;
            return Pop(fileNames, QString());
        };
        p.saveFile = p.openFile;
        p.saveFileTyped = [this, name = p.openFile](QWidget *w, const QString &title, const QString &proposed,
                                                    const QStringList &, int &chosen) {
            chosen = Pop(filterChoices, chosen);
            return name(w, title, proposed, QString());
        };
        p.restart = [this](const QString &program) {
            restarts << program;
            settingsAtRestart = testenv::TestEnv::ReadFile(QStringLiteral("Program.ini"));
            return true;
        };
        return p;
    }

private:
    template <class T>
    static T Pop(std::deque<T> &queue, T fallback)
    {
        if (queue.empty())
            return fallback;
        const T first = queue.front();
        queue.pop_front();
        return first;
    }
};

// A started program: folder (made ready by `prepare` before the start),
// process state, prompts and application, torn down in the reverse order.
struct StartedApp {
    explicit StartedApp(const QByteArray &ini, const QStringList &args = {}, bool bundles = true,
                        const std::function<void(ProgramFolder &)> &prepare = {})
        : folder(ini, bundles)
    {
        if (prepare)
            prepare(folder);
        app = std::make_unique<CProgramApp>(state, script.Make());
        started = app->InitInstance(args);
    }

    ProgramFolder folder;
    AppState state;
    PromptScript script;
    std::unique_ptr<CProgramApp> app;
    bool started = false;
};

// A program started in `language`, and its main window.
class AppFixture : public ::testing::Test {
protected:
    explicit AppFixture(const char *language = "English") : s(TestIni(language))
    {
        EXPECT_TRUE(s.started);
        frame = s.app->MainFrame();
    }
    bool Run(int command) { return frame->Router().Execute(command); }

    StartedApp s;
    CMainFrame *frame = nullptr;
};

// Records help requests instead of opening a viewer.
struct HelpRecorder {
    QList<QPair<QString, int>> calls;
    HelpRecorder()
    {
        HelpService::SetHandler([this](const QString &file, int context) { calls.append({file, context}); });
    }
    ~HelpRecorder() { HelpService::SetHandler(nullptr); }
};

// Hands the next modal widget, which must be a W, to `answer`; it closes it.
template <class W>
void AnswerModal(std::function<void(W *)> answer)
{
    QTimer::singleShot(0, [answer] {
        W *w = qobject_cast<W *>(QApplication::activeModalWidget());
        ASSERT_NE(w, nullptr);
        answer(w);
    });
}

// Answers the next Language dialog with the radio button `radio` and OK.
inline void AnswerLanguageDialog(int radio)
{
    AnswerModal<CLanguageDlg>([radio](CLanguageDlg *dlg) {
        qobject_cast<QRadioButton *>(dlg->Control(radio))->setChecked(true);
        qobject_cast<QPushButton *>(dlg->Control(1))->click();
    });
}

// The entry of `command` in the document menu at `position`.
inline QAction *MenuAction(CMainFrame *frame, int position, int command)
{
    for (QAction *a : frame->DocumentMenu(position)->actions())
        if (a->data().toInt() == command)
            return a;
    return nullptr;
}

