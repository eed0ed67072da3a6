// Documents in the main window: New with its question, Open replacing and
// hiding, Close hiding and "Channel Information" restoring, Save and Save
// As encoding first and writing atomically, and the failure messages.
#include "GuiTestSupport.h"

#include "app/CommandIds.h"
#include "app/DocumentCommands.h"
#include "frame/CChildFrame.h"
#include "frame/CMainFrame.h"
#include "image/CProgramDoc.h"

#include <QDir>
#include <QMenu>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "support/ReadOnlyFolder.h"

namespace {

class Documents : public ::testing::Test {
protected:
    Documents() : s(TestIni("English"))
    {
        EXPECT_TRUE(s.started);
        frame = s.app->MainFrame();
    }
    bool Run(int command) { return frame->Router().Execute(command); }
    QByteArray Image(CChildFrame *c)
    {
        const auto &img = c->GetDocument().m_image;
        return QByteArray(reinterpret_cast<const char *>(img.data()), corvane::kImageSize);
    }

    StartedApp s;
    CMainFrame *frame = nullptr;
};

// New leaves one document: the visible one and those hidden by opening a
// file go, after one question (and the offer to save a changed one).
TEST_F(Documents, NewAsksAndLeavesOneDocumentOnOk)
{
    QPointer<CChildFrame> first(frame->ActiveChild());
    s.folder.Write("radio.dat", QByteArray(8192, '\x11'));
    ASSERT_TRUE(s.app->Documents()->OpenFile(s.folder.File("radio.dat")));
    QPointer<CChildFrame> opened(frame->ActiveChild());
    first->GetDocument().SetModifiedFlag(true);
    s.script.answers = {QMessageBox::Ok, QMessageBox::Discard};
    ASSERT_TRUE(Run(Cmd::FileNew));
    ASSERT_EQ(s.script.messages.size(), 2);
    EXPECT_EQ(s.script.messages[0], "All data will be Cleared!");
    EXPECT_TRUE(s.script.messages[1].startsWith("Save the changes to \"Channel Information\"?"));
    EXPECT_EQ(s.script.captions[0], "Test Radio Works");
    EXPECT_TRUE(first.isNull() && opened.isNull());
    ASSERT_EQ(frame->ChildFrames().size(), 1);
    EXPECT_TRUE(frame->ActiveChild()->isVisible());
    EXPECT_TRUE(s.state.newDocument);
}

TEST_F(Documents, NewCancelledLeavesEverythingAsItWas)
{
    CChildFrame *first = frame->ActiveChild();
    s.script.answers = {QMessageBox::Cancel};
    ASSERT_TRUE(Run(Cmd::FileNew));
    EXPECT_EQ(s.script.messages.size(), 1);
    EXPECT_EQ(frame->ChildFrames(), QList<CChildFrame *>{first});
    EXPECT_EQ(frame->ActiveChild(), first);
    EXPECT_TRUE(first->isVisible());
}

TEST_F(Documents, NewWithoutAnyWindowAsksNothingAndBringsBackMenu129)
{
    frame->DestroyActiveChild();
    EXPECT_EQ(frame->MenuBarMenus().size(), 3) << "menu 128 while no document is open";
    EXPECT_FALSE(frame->Router().IsEnabled(Cmd::FileSave));
    ASSERT_TRUE(Run(Cmd::FileNew));
    EXPECT_TRUE(s.script.messages.isEmpty());
    EXPECT_EQ(frame->MenuBarMenus().size(), 6);
    EXPECT_TRUE(frame->Router().IsEnabled(Cmd::FileSave));
}

TEST_F(Documents, OpenReplacesTheVisibleWindowAndOnlyHidesIt)
{
    CChildFrame *first = frame->ActiveChild();
    QByteArray bytes(8192, '\x11');
    s.folder.Write("radio.dat", bytes);
    s.script.fileNames = {s.folder.File("radio.dat")};
    ASSERT_TRUE(Run(Cmd::FileOpen));
    ASSERT_EQ(frame->ChildFrames().size(), 2);
    EXPECT_FALSE(first->isVisible());
    CChildFrame *opened = frame->ActiveChild();
    ASSERT_NE(opened, first);
    EXPECT_TRUE(opened->isVisible());
    EXPECT_EQ(opened->GetDocument().GetTitle(), "radio.dat");
    EXPECT_EQ(opened->windowTitle(), "radio.dat");
    EXPECT_EQ(Image(opened).left(16), bytes.left(16));
    EXPECT_FALSE(s.state.newDocument);
}

struct BadFile {
    const char *name;
    QByteArray content;  // null: do not create; "/": a folder
    const char *says;
};

class OpenFailure : public Documents, public ::testing::WithParamInterface<BadFile> {};

TEST_P(OpenFailure, GivesAMessageAndKeepsTheCurrentWindow)
{
    const BadFile &c = GetParam();
    if (c.content == "/")
        QDir().mkpath(s.folder.File(c.name));
    else if (!c.content.isNull())
        s.folder.Write(c.name, c.content);
    CChildFrame *first = frame->ActiveChild();
    const bool flag = s.state.newDocument;
    EXPECT_FALSE(s.app->Documents()->OpenFile(s.folder.File(c.name)));
    ASSERT_EQ(s.script.messages.size(), 1);
    EXPECT_TRUE(s.script.messages[0].contains(c.name)) << s.script.messages[0].toStdString();
    EXPECT_TRUE(s.script.messages[0].contains(c.says)) << s.script.messages[0].toStdString();
    EXPECT_EQ(frame->ChildFrames(), QList<CChildFrame *>{first});
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(frame->ActiveChild(), first);
    EXPECT_EQ(s.state.newDocument, flag);
}

INSTANTIATE_TEST_SUITE_P(Files, OpenFailure,
                         ::testing::Values(BadFile{"short.dat", QByteArray(100, '\0'), "8192"},
                                           BadFile{"empty.dat", QByteArray(""), "8192"},
                                           BadFile{"missing.dat", QByteArray(), "dat\".\nNo such file or directory"},
                                           BadFile{"folder.dat", QByteArray("/"), "dat\".\nIs a directory"}),
                         [](const auto &info) { return std::string(info.param.name).substr(0, 5); });

TEST_F(Documents, CloseHidesAndChannelInformationShowsTheSameWindow)
{
    CChildFrame *child = frame->ActiveChild();
    ASSERT_TRUE(Run(Cmd::FileClose));
    EXPECT_FALSE(child->isVisible());
    EXPECT_EQ(frame->ChildFrames(), QList<CChildFrame *>{child});
    ASSERT_TRUE(Run(Cmd::ChannelInfo));
    EXPECT_TRUE(child->isVisible());
    EXPECT_EQ(frame->ActiveChild(), child);

    // The window's own close box hides it the same way.
    child->close();
    EXPECT_FALSE(child->isVisible());
    ASSERT_TRUE(Run(Cmd::ChannelInfo));
    EXPECT_TRUE(child->isVisible());
    EXPECT_TRUE(s.script.messages.isEmpty());
}

TEST_F(Documents, ChannelInformationWithoutWindowRestoresTheMainWindow)
{
    frame->DestroyActiveChild();
    ASSERT_TRUE(frame->isMaximized());
    ASSERT_TRUE(Run(Cmd::ChannelInfo));
    EXPECT_FALSE(frame->isMaximized());
}

// A new document has no file: its first Save asks, and a file named like
// the AppName in the working folder (the program itself) is never touched.
TEST_F(Documents, FirstSaveOfANewDocumentAsksForAFileInTheLastFolder)
{
    s.folder.Write("CorvaneTest", "the program");
    const QString start = s.app->Documents()->LastFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(start, QFileInfo(documents).isDir() ? documents : QDir::homePath());
    ASSERT_TRUE(Run(Cmd::FileSave)); // cancelled
    EXPECT_EQ(s.folder.Read("CorvaneTest"), "the program");
    EXPECT_EQ(s.script.proposedNames, QStringList{QDir(start).filePath("CorvaneTest.dat")});

    s.script.fileNames = {s.folder.File("first")};
    ASSERT_TRUE(Run(Cmd::FileSave));
    CChildFrame *child = frame->ActiveChild();
    const QByteArray saved = s.folder.Read("first.dat");
    EXPECT_EQ(saved.size(), 8192);
    EXPECT_EQ(saved, Image(child));
    EXPECT_EQ(child->windowTitle(), "first.dat");

    // The file now exists, so Save writes it without asking.
    ASSERT_TRUE(Run(Cmd::FileSave));
    EXPECT_EQ(s.script.proposedNames.size(), 2);
    // Save As always asks, proposing the current file.
    s.script.fileNames = {s.folder.File("second.dat")};
    ASSERT_TRUE(Run(Cmd::FileSaveAs));
    EXPECT_EQ(s.script.proposedNames.last(), s.folder.File("first.dat"));
    EXPECT_EQ(s.folder.Read("second.dat"), saved);
    EXPECT_TRUE(s.script.messages.isEmpty());

    // The next new document proposes the folder used last.
    ASSERT_TRUE(Run(Cmd::FileNew));
    ASSERT_TRUE(Run(Cmd::FileSave));
    EXPECT_EQ(s.script.proposedNames.last(), s.folder.File("CorvaneTest.dat"));
    EXPECT_EQ(s.folder.Read("CorvaneTest"), "the program");
}

// Installed and started from a folder the user cannot write (the program's
// own, or "/"): the first Save offers the documents folder and saves there.
TEST_F(Documents, FirstSaveFromAReadOnlyWorkingFolderGoesToTheDocumentsFolder)
{
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("Documents")));
    const QString proposed = QDir(home.filePath(QStringLiteral("Documents"))).filePath(QStringLiteral("CorvaneTest.dat"));
    {
        ReadOnlyFolder readOnly(QDir::currentPath());
        s.script.fileNames = {proposed};
        EXPECT_TRUE(Run(Cmd::FileSave));
    }
    qputenv("HOME", oldHome);
    EXPECT_EQ(s.script.proposedNames, QStringList{proposed});
    EXPECT_TRUE(s.script.messages.isEmpty());
    EXPECT_EQ(QFileInfo(proposed).size(), 8192);
    EXPECT_EQ(QDir::current().entryList(QDir::Files), (QStringList{"Chinese.rcc", "English.rcc", "Program.ini"}));
}

TEST_F(Documents, BareNameInSaveAsAsksBeforeReplacingTheDatFile)
{
    const QByteArray old(8192, '\x55');
    s.folder.Write("other.dat", old);
    s.script.fileNames = {s.folder.File("other"), s.folder.File("other")};
    s.script.answers = {QMessageBox::No, QMessageBox::Yes};
    ASSERT_TRUE(Run(Cmd::FileSaveAs));
    ASSERT_EQ(s.script.messages.size(), 1);
    EXPECT_EQ(s.script.messages[0], "\"" + QDir::toNativeSeparators(s.folder.File("other.dat")) +
                                         "\" already exists. Do you want to replace it?");
    EXPECT_EQ(s.folder.Read("other.dat"), old);
    EXPECT_EQ(frame->ActiveChild()->windowTitle(), "Channel Information");

    ASSERT_TRUE(Run(Cmd::FileSaveAs));
    EXPECT_EQ(s.script.messages.size(), 2);
    EXPECT_EQ(s.folder.Read("other.dat"), Image(frame->ActiveChild()));
}

TEST_F(Documents, SaveEncodesTheGridIntoTheImageFirst)
{
    CChildFrame *child = frame->ActiveChild();
    // Bytes written behind the grid's back: the encode pass before the
    // save puts the grid's (empty) channel back over them.
    auto &img = child->GetDocument().m_image;
    const QByteArray before = Image(child).left(16);
    for (int i = 0; i < 16; ++i)
        img.data()[i] = 0x12;
    s.script.fileNames = {s.folder.File("encoded.dat")};
    ASSERT_TRUE(Run(Cmd::FileSaveAs));
    EXPECT_EQ(s.folder.Read("encoded.dat").left(16), before);
}

TEST_F(Documents, FailedSaveReportsAndLeavesTheOldFile)
{
    s.folder.Write("keep.dat", QByteArray(8192, '\x44'));
    s.folder.Write("blocker", "a file, not a folder");
    s.script.fileNames = {s.folder.File("blocker/new.dat")};
    ASSERT_TRUE(Run(Cmd::FileSaveAs));
    EXPECT_EQ(s.script.messages, QStringList{"Cannot save the file \"" + s.folder.File("blocker/new.dat") +
                                             "\". The file on disk was not changed.\nNot a directory"});
    EXPECT_EQ(s.folder.Read("keep.dat"), QByteArray(8192, '\x44'));
    EXPECT_EQ(frame->ActiveChild()->windowTitle(), "Channel Information");
}

TEST_F(Documents, CancelledFileQuestionsChangeNothing)
{
    ASSERT_TRUE(Run(Cmd::FileOpen));
    ASSERT_TRUE(Run(Cmd::FileSaveAs));
    EXPECT_EQ(frame->ChildFrames().size(), 1);
    EXPECT_TRUE(s.script.messages.isEmpty());
}

TEST_F(Documents, LeavingTheProgramNeverAsks)
{
    s.script.fileNames = {s.folder.File("kept.dat")};
    ASSERT_TRUE(Run(Cmd::FileSaveAs));
    ASSERT_TRUE(Run(Cmd::AppExit));
    EXPECT_FALSE(frame->isVisible());
    s.app.reset();
    EXPECT_TRUE(s.script.messages.isEmpty());
    EXPECT_EQ(s.folder.Read("kept.dat").size(), 8192);
}

} // namespace
