// Documents in the main window: New with its one question, Open replacing
// and hiding, Close hiding and "Channel Information" restoring, Save and
// Save As encoding first, and the failure messages with the system's reason.
#include "GuiTestSupport.h"

#include "app/CommandIds.h"
#include "app/DocumentCommands.h"
#include "editor/CProgramView.h"
#include "frame/CChildFrame.h"
#include "image/CProgramDoc.h"
#include "settings/UserStore.h"
#include "support/ReadOnlyFolder.h"

#include <QLabel>

namespace {

class Documents : public AppFixture {
protected:
    static QByteArray Image(CChildFrame *c)
    {
        return QByteArray(reinterpret_cast<const char *>(c->GetDocument().m_image.data()), corvane::kImageSize);
    }
};

const QString kCleared = "All data will be Cleared!";

struct NewCase {
    const char *name;
    bool visibleChanged, hiddenChanged; // hidden: the first window, behind an opened file
    std::deque<QMessageBox::StandardButton> answers;
    QStringList asked;
    bool replaced;
};

class NewDocument : public Documents, public ::testing::WithParamInterface<NewCase> {};

TEST_P(NewDocument, AsksOnceAndLeavesOneDocument)
{
    const NewCase &c = GetParam();
    QPointer<CChildFrame> first(frame->ActiveChild());
    if (c.hiddenChanged) {
        s.folder.Write("radio.dat", QByteArray(8192, '\x11'));
        ASSERT_TRUE(s.app->Documents()->OpenFile(s.folder.File("radio.dat")));
        first->GetDocument().SetModifiedFlag(true);
    }
    if (c.visibleChanged) {
        first->GetView()->Grid().SetRowCol(2, 1);
        first->GetView()->EditRx().setText("145.0125");
    }
    QPointer<CChildFrame> visible(frame->ActiveChild());
    const int windows = frame->ChildFrames().size();
    s.script.answers = c.answers;
    s.script.fileNames = {s.folder.File("kept.dat")};
    ASSERT_TRUE(Run(Cmd::FileNew));
    EXPECT_EQ(s.script.messages, c.asked);
    EXPECT_EQ(first.isNull(), c.replaced);
    EXPECT_EQ(frame->ChildFrames().size(), c.replaced ? 1 : windows);
    ASSERT_NE(frame->ActiveChild(), nullptr);
    EXPECT_EQ(frame->ActiveChild()->windowTitle(), c.replaced ? "Channel Information" : visible->windowTitle());
    EXPECT_EQ(s.folder.Read("kept.dat").size(), c.answers.front() == QMessageBox::Save ? 8192 : 0);
    EXPECT_EQ(frame->ActiveChild()->GetDocument().IsModified(), !c.replaced && c.visibleChanged);
    EXPECT_EQ(s.state.newDocument, c.replaced || !c.hiddenChanged);
}

const QString kClearedSave = kCleared + "\n\nSave the changes to \"Channel Information\" first?";
const QString kHiddenQuestion = "Save the changes to \"Channel Information\"? Otherwise they are lost.";

INSTANTIATE_TEST_SUITE_P(
    Cases, NewDocument,
    ::testing::Values(NewCase{"Cancel", false, false, {QMessageBox::Cancel}, {kCleared}, false},
                      NewCase{"Ok", false, false, {QMessageBox::Ok}, {kCleared}, true},
                      NewCase{"HiddenChangedDiscard", false, true, {QMessageBox::Ok, QMessageBox::Discard},
                              {kCleared, kHiddenQuestion}, true},
                      NewCase{"ChangedCancel", true, false, {QMessageBox::Cancel}, {kClearedSave}, false},
                      NewCase{"ChangedSave", true, false, {QMessageBox::Save}, {kClearedSave}, true}),
    [](const auto &info) { return std::string(info.param.name); });

// The message names the file and why (the reasons themselves come from the
// layer below); the current window stays.
TEST_F(Documents, FailedOpenGivesAMessageAndKeepsTheCurrentWindow)
{
    s.folder.Write("short.dat", QByteArray(100, '\0'));
    CChildFrame *first = frame->ActiveChild();
    EXPECT_FALSE(s.app->Documents()->OpenFile(s.folder.File("short.dat")));
    EXPECT_FALSE(s.app->Documents()->OpenFile(s.folder.File("missing.dat")));
    ASSERT_EQ(s.script.messages.size(), 2);
    EXPECT_TRUE(s.script.messages[0].contains("short.dat") && s.script.messages[0].contains("8192"));
    EXPECT_TRUE(s.script.messages[1].contains("missing.dat\".\nNo such file or directory"));
    EXPECT_EQ(frame->ChildFrames(), QList<CChildFrame *>{first});
}

TEST_F(Documents, FileOfAnUnknownTypeDoesNotSpoilLaterDocuments)
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
    EXPECT_EQ(Image(frame->ActiveChild()), bytes);
    uint32_t type = 0;
    EXPECT_FALSE(UserStore("CorvaneTest").ReadNumber("Type", type));

    ASSERT_TRUE(Run(Cmd::FileNew));
    EXPECT_EQ(frame->ActiveChild()->GetView()->m_nBandLow, 13600000);
    EXPECT_EQ(frame->ActiveChild()->GetView()->m_nBandHigh, 17400000);
    EXPECT_EQ(frame->MessagePane()->text(), "Ready");
}

// Close only hides the window (the close box: tests/frame); "Channel
// Information" shows the same window again.
TEST_F(Documents, CloseHidesAndChannelInformationShowsTheSameWindow)
{
    CChildFrame *child = frame->ActiveChild();
    ASSERT_TRUE(Run(Cmd::FileClose));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame->ChildFrames(), QList<CChildFrame *>{child});
    EXPECT_FALSE(child->isVisible());
    ASSERT_TRUE(Run(Cmd::ChannelInfo));
    EXPECT_TRUE(child->isVisible());
    EXPECT_EQ(frame->ActiveChild(), child);
}

// A new document has no file: its first Save asks, and a file named like
// the AppName in the working folder (the program itself) is never touched.
TEST_F(Documents, FirstSaveOfANewDocumentAsksForAFileInTheLastFolder)
{
    s.folder.Write("CorvaneTest", "the program");
    const QString start = s.app->Documents()->LastFolder();
    ASSERT_TRUE(Run(Cmd::FileSave)); // cancelled
    EXPECT_EQ(s.script.proposedNames, QStringList{QDir(start).filePath("CorvaneTest.dat")});

    s.script.fileNames = {s.folder.File("first")};
    ASSERT_TRUE(Run(Cmd::FileSave));
    CChildFrame *child = frame->ActiveChild();
    const QByteArray saved = s.folder.Read("first.dat");
    EXPECT_EQ(saved, Image(child));
    EXPECT_EQ(child->windowTitle(), "first.dat");

    ASSERT_TRUE(Run(Cmd::FileSave)); // the file exists: written without asking
    EXPECT_EQ(s.script.proposedNames.size(), 2);
    // Bytes written behind the grid's back: the encode pass before the save
    // puts the grid's (empty) channel back over them.
    std::fill_n(child->GetDocument().m_image.data(), 16, 0x12);
    s.script.fileNames = {s.folder.File("second.dat")};
    ASSERT_TRUE(Run(Cmd::FileSaveAs)); // always asks, proposing the current file
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
    const QString proposed = home.filePath(QStringLiteral("Documents/CorvaneTest.dat"));
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

// Cancelled, refused and failed: nothing on disk or in the window changes.
TEST_F(Documents, SaveAsAsksBeforeReplacingAndAFailureChangesNothing)
{
    const QByteArray old(8192, '\x55');
    s.folder.Write("other.dat", old);
    s.folder.Write("blocker", "a file, not a folder");
    ASSERT_TRUE(Run(Cmd::FileOpen)); // cancelled
    s.script.fileNames = {QString(), s.folder.File("other"), s.folder.File("blocker/new.dat"), s.folder.File("other")};
    s.script.answers = {QMessageBox::No, QMessageBox::Ok, QMessageBox::Yes};
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(Run(Cmd::FileSaveAs));
    EXPECT_EQ(s.script.messages, QStringList({"\"" + QDir::toNativeSeparators(s.folder.File("other.dat")) +
                                                  "\" already exists. Do you want to replace it?",
                                              "Cannot save the file \"" + s.folder.File("blocker/new.dat") +
                                                  "\". The file on disk was not changed.\nNot a directory"}));
    EXPECT_EQ(s.folder.Read("other.dat"), old);
    EXPECT_EQ(s.folder.Read("blocker"), "a file, not a folder");
    EXPECT_EQ(frame->ChildFrames().size(), 1);
    EXPECT_EQ(frame->ActiveChild()->windowTitle(), "Channel Information");

    ASSERT_TRUE(Run(Cmd::FileSaveAs));
    EXPECT_EQ(s.script.messages.size(), 3);
    EXPECT_EQ(s.folder.Read("other.dat"), Image(frame->ActiveChild()));
}

} // namespace
