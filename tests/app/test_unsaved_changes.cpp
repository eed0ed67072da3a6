// Unsaved changes: the "*" in the channel window's title, the one
// Save / Discard / Cancel question before Exit, the main window's close box,
// a change of language and an Open over the visible window, New's single
// question, the buttons in the current language, the save dialog's
// extension, and a file whose radio type the settings do not know.
#include "GuiTestSupport.h"

#include "app/CLanguageDlg.h"
#include "app/CommandIds.h"
#include "app/DocumentCommands.h"
#include "editor/CProgramView.h"
#include "frame/CChildFrame.h"
#include "frame/CMainFrame.h"
#include "image/CProgramDoc.h"
#include "settings/UserStore.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

const QString kQuestion = "Save the changes to \"Channel Information\"? Otherwise they are lost.";

// Types a new channel into row 2 of the window's grid and commits it.
void TypeChannel(CChildFrame *child)
{
    CProgramView *view = child->GetView();
    view->Grid().SetRowCol(2, 1);
    view->EditRx().setText("145.0125");
    view->OnLeaveCell();
}

enum class Action { Exit, CloseBox, Language, Open };

struct Case {
    const char *name;
    Action action;
    bool modified;
    QMessageBox::StandardButton answer; // to the unsaved-changes question
};

class UnsavedChanges : public ::testing::TestWithParam<Case> {
protected:
    UnsavedChanges() : s(TestIni("English"))
    {
        EXPECT_TRUE(s.started);
        frame = s.app->MainFrame();
        first = frame->ActiveChild();
        s.folder.Write("radio.dat", QByteArray(8192, '\x11'));
    }

    void Perform(Action a)
    {
        switch (a) {
        case Action::Exit: frame->Router().Execute(Cmd::AppExit); break;
        case Action::CloseBox: frame->close(); break;
        case Action::Language:
            QTimer::singleShot(0, [] {
                auto *dlg = qobject_cast<CLanguageDlg *>(QApplication::activeModalWidget());
                ASSERT_NE(dlg, nullptr);
                qobject_cast<QRadioButton *>(dlg->Control(1007))->setChecked(true);
                qobject_cast<QPushButton *>(dlg->Control(1))->click();
            });
            frame->Router().Execute(Cmd::Language);
            break;
        case Action::Open:
            s.script.fileNames.push_front(s.folder.File("radio.dat"));
            frame->Router().Execute(Cmd::FileOpen);
            break;
        }
    }
    // Whether the action went through.
    bool Done(Action a)
    {
        switch (a) {
        case Action::Open: return frame->ActiveChild() != first;
        case Action::Language: return !s.script.restarts.isEmpty() && !frame->isVisible();
        default: return !frame->isVisible();
        }
    }

    StartedApp s;
    CMainFrame *frame = nullptr;
    CChildFrame *first = nullptr;
};

TEST_P(UnsavedChanges, AreAskedAboutOnceAndCancelKeepsEverything)
{
    const Case &c = GetParam();
    const QByteArray ini = s.folder.Read("Program.ini");
    if (c.modified) {
        TypeChannel(first);
        EXPECT_EQ(first->windowTitle(), "Channel Information*");
    }
    s.script.answers = {c.answer};
    s.script.fileNames = {s.folder.File("saved.dat")}; // for Save: the Save As of a new document
    Perform(c.action);

    EXPECT_EQ(s.script.messages, c.modified ? QStringList{kQuestion} : QStringList());
    const bool cancelled = c.modified && c.answer == QMessageBox::Cancel;
    EXPECT_EQ(Done(c.action), !cancelled);
    EXPECT_EQ(QFile::exists(s.folder.File("saved.dat")), c.modified && c.answer == QMessageBox::Save);
    if (cancelled) {
        EXPECT_TRUE(frame->isVisible());
        EXPECT_EQ(frame->ChildFrames(), QList<CChildFrame *>{first});
        EXPECT_TRUE(first->isVisible());
        EXPECT_TRUE(first->GetDocument().IsModified());
        EXPECT_EQ(first->GetView()->Grid().TextMatrix(2, 1), "145.01250");
        EXPECT_EQ(first->windowTitle(), "Channel Information*");
        EXPECT_TRUE(s.script.restarts.isEmpty());
        EXPECT_EQ(s.state.settings.GetString("Setup", "Language"), "English");
        EXPECT_EQ(s.folder.Read("Program.ini"), ini);
    }
    if (c.action == Action::Open && c.modified && !cancelled) { // hidden for good: nothing left unsaved
        EXPECT_FALSE(first->GetDocument().IsModified());
    }
    // Nothing is asked a second time on the way out.
    s.script.messages.clear();
    if (!cancelled && c.action == Action::Open) {
        frame->Router().Execute(Cmd::AppExit);
        EXPECT_TRUE(s.script.messages.isEmpty());
    }
}

std::vector<Case> Cases()
{
    const std::pair<const char *, Action> actions[] = {
        {"Exit", Action::Exit}, {"CloseBox", Action::CloseBox}, {"Language", Action::Language}, {"Open", Action::Open}};
    const std::pair<const char *, QMessageBox::StandardButton> answers[] = {
        {"Save", QMessageBox::Save}, {"Discard", QMessageBox::Discard}, {"Cancel", QMessageBox::Cancel}};
    static std::vector<std::string> names;
    std::vector<Case> out;
    names.reserve(16);
    for (const auto &a : actions) {
        names.push_back(std::string(a.first) + "Unmodified");
        out.push_back({names.back().c_str(), a.second, false, QMessageBox::Cancel});
        for (const auto &b : answers) {
            names.push_back(std::string(a.first) + b.first);
            out.push_back({names.back().c_str(), a.second, true, b.second});
        }
    }
    return out;
}

INSTANTIATE_TEST_SUITE_P(Actions, UnsavedChanges, ::testing::ValuesIn(Cases()),
                         [](const auto &info) { return std::string(info.param.name); });

class Unsaved : public ::testing::Test {
protected:
    Unsaved() : s(TestIni("English"))
    {
        EXPECT_TRUE(s.started);
        frame = s.app->MainFrame();
    }
    StartedApp s;
    CMainFrame *frame = nullptr;
};

TEST_F(Unsaved, NewOffersToSaveInItsOneQuestion)
{
    CChildFrame *child = frame->ActiveChild();
    QPointer<CChildFrame> watch(child);
    TypeChannel(child);
    s.script.answers = {QMessageBox::Cancel, QMessageBox::Save};
    s.script.fileNames = {s.folder.File("kept.dat")};
    ASSERT_TRUE(frame->Router().Execute(Cmd::FileNew));
    const QString question = "All data will be Cleared!\n\nSave the changes to \"Channel Information\" first?";
    EXPECT_EQ(s.script.messages, QStringList{question});
    EXPECT_FALSE(watch.isNull());
    EXPECT_TRUE(child->GetDocument().IsModified());

    ASSERT_TRUE(frame->Router().Execute(Cmd::FileNew));
    EXPECT_EQ(s.script.messages, QStringList({question, question}));
    EXPECT_TRUE(watch.isNull());
    EXPECT_EQ(s.folder.Read("kept.dat").size(), 8192);
    ASSERT_NE(frame->ActiveChild(), nullptr);
    EXPECT_EQ(frame->ActiveChild()->windowTitle(), "Channel Information");
}

// A value still open in its editor counts; a rejected one stops the action.
TEST_F(Unsaved, PendingEditIsCommittedBeforeTheQuestion)
{
    CProgramView *view = frame->ActiveChild()->GetView();
    QStringList cautions;
    CProgramView::SetMessageHook([&](QWidget *, const QString &, const QString &text) { cautions << text; });
    view->Grid().SetRowCol(3, 1);
    view->EditRx().setText("999");
    ASSERT_TRUE(frame->Router().Execute(Cmd::AppExit));
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(cautions, QStringList{"Out of range,please input again.\nBand: 136.00000 – 174.00000 MHz"});
    EXPECT_TRUE(s.script.messages.isEmpty());
    EXPECT_EQ(view->EditRx().text(), "999");

    view->EditRx().setText("146");
    s.script.answers = {QMessageBox::Cancel};
    ASSERT_TRUE(frame->Router().Execute(Cmd::AppExit));
    EXPECT_EQ(s.script.messages, QStringList{kQuestion});
    EXPECT_EQ(view->Grid().TextMatrix(3, 1), "146.00000");
    CProgramView::SetMessageHook(nullptr);
}

TEST_F(Unsaved, SaveClearsTheMarkAndAFailedSaveCancels)
{
    CChildFrame *child = frame->ActiveChild();
    TypeChannel(child);
    s.script.fileNames = {s.folder.File("blocker/x.dat")};
    s.folder.Write("blocker", "a file, not a folder");
    s.script.answers = {QMessageBox::Save};
    ASSERT_TRUE(frame->Router().Execute(Cmd::AppExit));
    EXPECT_TRUE(frame->isVisible()); // the save failed: nothing is lost
    EXPECT_EQ(s.script.messages.size(), 2);
    EXPECT_EQ(child->windowTitle(), "Channel Information*");

    s.script.fileNames = {s.folder.File("ok.dat")};
    ASSERT_TRUE(frame->Router().Execute(Cmd::FileSave));
    EXPECT_EQ(child->windowTitle(), "ok.dat");
    ASSERT_TRUE(frame->Router().Execute(Cmd::AppExit));
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(s.script.messages.size(), 2);
}

// A file whose radio type and band the settings do not list opens as it is,
// says so in the status bar, and leaves the next new document usable.
TEST_F(Unsaved, FileOfAnUnknownTypeDoesNotSpoilLaterDocuments)
{
    QByteArray bytes(8192, '\xFF');
    bytes[0x1FD6] = char(36);
    bytes[0x1FD7] = char(218);
    bytes[0x1FF0] = char(0x12);
    s.folder.Write("foreign.dat", bytes);
    ASSERT_TRUE(s.app->Documents()->OpenFile(s.folder.File("foreign.dat")));
    EXPECT_EQ(frame->MessagePane()->text(),
              "The radio type 37, band 219 of this file is not listed in Program.ini: the file is kept as it is "
              "and is not remembered for new documents.");
    const auto &img = frame->ActiveChild()->GetDocument().m_image;
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(img.data()), 8192), bytes);
    uint32_t type = 0;
    EXPECT_FALSE(UserStore("CorvaneTest").ReadNumber("Type", type));

    ASSERT_TRUE(frame->Router().Execute(Cmd::FileNew));
    EXPECT_EQ(frame->ActiveChild()->GetView()->m_nBandLow, 13600000);
    EXPECT_EQ(frame->ActiveChild()->GetView()->m_nBandHigh, 17400000);
    EXPECT_EQ(frame->MessagePane()->text(), "Ready");
}

TEST(InteractivePrompts, ButtonsReadTheLanguageOfTheProgram)
{
    StartedApp s(TestIni("Chinese"));
    ASSERT_TRUE(s.started);
    const Prompts p = Prompts::Interactive(&s.state.bundle);
    QStringList texts;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (auto b : {QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel})
            texts << box->button(b)->text();
        box->button(QMessageBox::Cancel)->click();
    });
    const auto buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    EXPECT_EQ(p.message(nullptr, "c", "t", buttons), QMessageBox::Cancel);
    EXPECT_EQ(texts, QStringList({"保存(&S)", "放弃(&D)", "取消"}));
}

// A bare name typed into the save dialog gets ".dat" before the dialog looks
// for a file to replace, so the replace question comes.
TEST(InteractivePrompts, SaveDialogAddsTheExtensionBeforeItsReplaceQuestion)
{
    QTemporaryDir dir;
    QFile existing(dir.filePath("other.dat"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    const Prompts p = Prompts::Interactive();
    QString question;
    QTimer::singleShot(0, [&] {
        auto *dlg = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
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
    EXPECT_TRUE(p.saveFile(nullptr, "Save As", dir.filePath("new.dat"), "*.dat (*.dat)").isEmpty());
    EXPECT_TRUE(question.contains("other.dat")) << question.toStdString();
}

} // namespace
