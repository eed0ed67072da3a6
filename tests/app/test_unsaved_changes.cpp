// Unsaved changes: the one Save / Discard / Cancel question before Exit, the
// main window's close box, a change of language and an Open over the visible
// window; the pending edit, a failed save, and the interactive prompts.
#include "GuiTestSupport.h"

#include "app/CommandIds.h"
#include "editor/CProgramView.h"
#include "frame/CChildFrame.h"
#include "image/CProgramDoc.h"

#include <QFileDialog>
#include <QLineEdit>

namespace {

const QString kQuestion = "Save the changes to \"Channel Information\"? Otherwise they are lost.";

enum class Action { Exit, CloseBox, Language, Open };
// The answer to the question; NoButton: the document is left unchanged.
using Case = std::tuple<Action, QMessageBox::StandardButton>;

class UnsavedChanges : public AppFixture, public ::testing::WithParamInterface<Case> {
protected:
    UnsavedChanges() { s.folder.Write("radio.dat", QByteArray(8192, '\x11')); }
    void Perform(Action a)
    {
        switch (a) {
        case Action::Exit: Run(Cmd::AppExit); break;
        case Action::CloseBox: frame->close(); break;
        case Action::Language:
            AnswerLanguageDialog(1007);
            Run(Cmd::Language);
            break;
        case Action::Open:
            s.script.fileNames.push_front(s.folder.File("radio.dat"));
            Run(Cmd::FileOpen);
            break;
        }
    }
    bool Done(Action a)
    {
        switch (a) {
        case Action::Open: return frame->ActiveChild() != first;
        case Action::Language: // with the choice on disk before the restart
            return s.script.restarts == QStringList{QCoreApplication::applicationFilePath()} &&
                   s.script.settingsAtRestart.contains("Language=Chinese\r\n") && !frame->isVisible();
        default: return !frame->isVisible();
        }
    }

    CChildFrame *first = frame->ActiveChild();
};

TEST_P(UnsavedChanges, AreAskedAboutOnceAndCancelKeepsEverything)
{
    const auto [action, answer] = GetParam();
    const bool modified = answer != QMessageBox::NoButton, cancelled = answer == QMessageBox::Cancel;
    const QByteArray ini = s.folder.Read("Program.ini");
    if (modified) { // still open in its editor: committed before the question
        first->GetView()->Grid().SetRowCol(2, 1);
        first->GetView()->EditRx().setText("145.0125");
    }
    s.script.answers = {answer};
    s.script.fileNames = {s.folder.File("saved.dat")}; // Save: the Save As of a new document
    Perform(action);

    EXPECT_EQ(s.script.messages, modified ? QStringList{kQuestion} : QStringList());
    EXPECT_EQ(Done(action), !cancelled);
    EXPECT_EQ(QFile::exists(s.folder.File("saved.dat")), answer == QMessageBox::Save);
    if (cancelled) { // and the window where it was
        EXPECT_EQ(frame->ChildFrames(), QList<CChildFrame *>{first});
        EXPECT_TRUE(first->isVisible() && frame->isVisible() && s.script.restarts.isEmpty());
        EXPECT_TRUE(first->GetDocument().IsModified());
        EXPECT_EQ(first->GetView()->Grid().TextMatrix(2, 1), "145.01250");
        EXPECT_EQ(s.state.settings.GetString("Setup", "Language"), "English");
        EXPECT_EQ(s.folder.Read("Program.ini"), ini);
        return;
    }
    if (action == Action::Open) { // hidden, not closed, and for good: nothing is left unsaved
        EXPECT_FALSE(first->isVisible());
        EXPECT_FALSE(first->GetDocument().IsModified());
        ASSERT_EQ(frame->ChildFrames().size(), 2);
        EXPECT_EQ(frame->ActiveChild()->windowTitle(), "radio.dat");
        Run(Cmd::AppExit);
    }
    // Nothing is asked a second time on the way out.
    s.app.reset();
    EXPECT_EQ(s.script.messages.size(), modified ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(All, UnsavedChanges,
                         ::testing::Combine(::testing::Values(Action::Exit, Action::CloseBox, Action::Language,
                                                              Action::Open),
                                            ::testing::Values(QMessageBox::NoButton, QMessageBox::Save,
                                                              QMessageBox::Discard, QMessageBox::Cancel)));

using Unsaved = AppFixture;

// A rejected pending edit, then a failed save: each stops the exit.
TEST_F(Unsaved, ARejectedEditOrAFailedSaveStopsTheExit)
{
    CProgramView *view = frame->ActiveChild()->GetView();
    QStringList cautions;
    CProgramView::SetMessageHook([&](QWidget *, const QString &, const QString &text) { cautions << text; });
    view->Grid().SetRowCol(3, 1);
    view->EditRx().setText("999");
    ASSERT_TRUE(Run(Cmd::AppExit));
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(cautions, QStringList{"Out of range,please input again.\nBand: 136.00000 – 174.00000 MHz"});
    EXPECT_TRUE(s.script.messages.isEmpty());
    EXPECT_EQ(view->EditRx().text(), "999");
    CProgramView::SetMessageHook(nullptr);

    view->EditRx().setText("145.0125");
    s.folder.Write("blocker", "a file, not a folder");
    s.script.fileNames = {s.folder.File("blocker/x.dat")};
    s.script.answers = {QMessageBox::Save};
    ASSERT_TRUE(Run(Cmd::AppExit));
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(s.script.messages.size(), 2); // the question, then the failure
    EXPECT_EQ(frame->ActiveChild()->windowTitle(), "Channel Information*");
    EXPECT_EQ(view->Grid().TextMatrix(3, 1), "145.01250");
}

TEST(InteractivePrompts, ButtonsReadTheLanguageOfTheProgram)
{
    LanguageBundle chinese;
    ASSERT_TRUE(chinese.Load(QStringLiteral(CORVANE_BIN_DIR), QStringLiteral("Chinese")));
    QStringList texts;
    AnswerModal<QMessageBox>([&](QMessageBox *box) {
        for (auto b : {QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel})
            texts << box->button(b)->text();
        box->button(QMessageBox::Cancel)->click();
    });
    const auto buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    EXPECT_EQ(Prompts::Interactive(&chinese).message(nullptr, "c", "t", buttons), QMessageBox::Cancel);
    EXPECT_EQ(texts, QStringList({"保存(&S)", "放弃(&D)", "取消"}));
}

// A bare name typed into the save dialog gets ".dat" before the dialog looks
// for a file to replace, so the replace question comes.
TEST(InteractivePrompts, SaveDialogAddsTheExtensionBeforeItsReplaceQuestion)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QFile(dir.filePath("other.dat")).open(QIODevice::WriteOnly));
    QString question;
    AnswerModal<QFileDialog>([&](QFileDialog *dlg) {
        auto *name = dlg->findChild<QLineEdit *>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText("other");
        QTimer::singleShot(0, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                question = box->text();
                box->button(QMessageBox::No)->click();
            }
        });
        static_cast<QDialog *>(dlg)->accept(); // the file dialog's own accept
        dlg->reject();
    });
    EXPECT_TRUE(Prompts::Interactive().saveFile(nullptr, "Save As", dir.filePath("new.dat"), "*.dat (*.dat)").isEmpty());
    EXPECT_TRUE(question.contains("other.dat")) << question.toStdString();
}

} // namespace
