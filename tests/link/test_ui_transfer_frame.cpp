// Radio commands in the main window (routing, gating, commands that take the
// document or a window away mid-transfer) and the COM Setup dialog.
#include "DesktopRig.h"
#include "app/GuiTestSupport.h"
#include "support/TestEnv.h"

#include "app/CommandIds.h"
#include "editor/CProgramView.h"
#include "frame/CChildFrame.h"
#include "frame/CMainFrame.h"
#include "image/CProgramDoc.h"
#include "link/CComSetupDlg.h"
#include "link/PortSetup.h"
#include "link/Protocol.h"
#include "settings/UserStore.h"

#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QTest>

using namespace corvane;
using namespace corvane::test;

namespace {

class RadioCommands : public ::testing::Test {
protected:
    RadioCommands() : s(TestIni("English")), frame(s.app->MainFrame()) { EXPECT_TRUE(s.started); }
    CProcessDlg *Dlg() { return frame->ActiveChild()->GetView()->Transfer().ProcessDlg(); }
    int ReadRequests() { return static_cast<int>(rig.port.RequestAddresses(Proto::ReadCmd).size()); }

    StartedApp s;
    CMainFrame *frame;
    DesktopRig rig;
};

TEST_F(RadioCommands, RoutedToTheActiveViewAndGatedWhileATransferRuns)
{
    for (int id : {Cmd::Read, Cmd::Write, Cmd::Verify, Cmd::ComSetup})
        EXPECT_TRUE(frame->Router().IsEnabled(id)) << id;
    rig.Radio(frame->ActiveChild()->GetDocument().m_image);
    ASSERT_TRUE(frame->Router().Execute(Cmd::Verify));
    EXPECT_EQ(Dlg()->parentWidget(), frame);

    QMap<int, bool> during;
    bool gridTakesInput = true;
    rig.AtWrite(100, [&] {
        gridTakesInput = frame->ActiveChild()->GetView()->Grid().isEnabled();
        for (int id : {Cmd::Read, Cmd::FileNew, Cmd::FileSave, Cmd::ComSetup, Cmd::AppAbout, Cmd::ControlBar})
            during[id] = frame->Router().IsEnabled(id);
        frame->Router().Execute(Cmd::Write); // changes nothing
    });
    rig.PressOk(Dlg());
    EXPECT_EQ(during, (QMap<int, bool>{{Cmd::Read, true}, {Cmd::FileNew, true}, {Cmd::FileSave, false},
                                      {Cmd::ComSetup, false}, {Cmd::AppAbout, false}, {Cmd::ControlBar, true}}));
    EXPECT_FALSE(gridTakesInput);
    EXPECT_TRUE(frame->ActiveChild()->GetView()->Grid().isEnabled());
    EXPECT_EQ(rig.port.RequestAddresses(Proto::WriteCmd).size(), 0u);
    EXPECT_EQ(rig.messages, QStringList{"The radio matches the document."});
    EXPECT_TRUE(frame->Router().IsEnabled(Cmd::FileSave));

    frame->DestroyActiveChild();
    for (int id : {Cmd::Read, Cmd::Write, Cmd::Verify, Cmd::ComSetup})
        EXPECT_FALSE(frame->Router().IsEnabled(id)) << id;
}

// A command given during a read (0: the channel window's close box; Exit
// closes the main window as its close button does), and what it leaves.
struct MidTransfer {
    const char *name;
    int command;
    QStringList messages;           // the questions it asked
    bool childGone = false;         // the window that ran the read is deleted, not hidden
    QString activeTitle = {};       // the document then active; empty: not checked
    bool frameVisible = true;
    int children = -1;              // child windows left; -1: not checked
};

class TakenAway : public RadioCommands, public ::testing::WithParamInterface<MidTransfer> {};

TEST_P(TakenAway, StopsTheTransferFirstThenGoesOn)
{
    const MidTransfer &c = GetParam();
    s.folder.Write("other.dat", QByteArray(8192, '\x11'));
    s.script.fileNames = {s.folder.File("other.dat")};
    QPointer<CChildFrame> first = frame->ActiveChild();
    frame->Router().Execute(Cmd::Read);
    int questionsAtAction = -1;
    rig.AtWrite(300, [&] {
        if (c.command)
            frame->Router().Execute(c.command);
        else
            frame->ActiveChild()->close();
        questionsAtAction = s.script.messages.size() + s.script.proposedNames.size();
    });
    rig.PressOk(Dlg());
    rig.Settle();
    EXPECT_EQ(questionsAtAction, 0) << "nothing goes on before the transfer has stopped";
    EXPECT_FALSE(TransferController::AnyRunning());
    EXPECT_GT(ReadRequests(), 0);
    EXPECT_LT(ReadRequests(), Proto::ReadBlocks);
    EXPECT_TRUE(rig.messages.isEmpty());
    EXPECT_EQ(s.script.messages, c.messages);
    EXPECT_EQ(first.isNull(), c.childGone);
    EXPECT_TRUE(first.isNull() || first->isHidden() || !c.frameVisible);
    EXPECT_EQ(frame->isVisible(), c.frameVisible);
    EXPECT_TRUE(c.children < 0 || int(frame->ChildFrames().size()) == c.children);
    if (!c.activeTitle.isEmpty()) {
        EXPECT_EQ(frame->ActiveChild()->GetDocument().GetTitle(), c.activeTitle);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, TakenAway,
    ::testing::Values(MidTransfer{"FileNew", Cmd::FileNew, {"All data will be Cleared!"}, true, {}, true, 1},
                      MidTransfer{"FileOpen", Cmd::FileOpen, {}, false, "other.dat"},
                      MidTransfer{"CloseChannelWindow", 0, {}},
                      MidTransfer{"Exit", Cmd::AppExit, {}, false, {}, false}),
    [](const ::testing::TestParamInfo<MidTransfer> &i) { return std::string(i.param.name); });

TEST_F(RadioCommands, NewDropsAWaitingDialogWithItsView)
{
    frame->Router().Execute(Cmd::Write);
    QPointer<CProcessDlg> dlg = Dlg();
    ASSERT_TRUE(dlg->IsWindowCreated());
    frame->Router().Execute(Cmd::FileNew);
    EXPECT_TRUE(dlg.isNull());
    EXPECT_TRUE(rig.port.writes.empty());
}

class ComSetup : public ::testing::Test {
protected:
    UserStore Store() { return UserStore("CorvaneTest"); }
    // The four buttons: 'o' enabled, '-' disabled; '*' and '#' the same, checked.
    std::string Buttons(CComSetupDlg &dlg)
    {
        std::string out;
        for (int n = 0; n < 4; ++n) {
            auto *b = static_cast<QRadioButton *>(dlg.Control(1007 + n));
            out += b->isChecked() ? (b->isEnabled() ? '*' : '#') : b->isEnabled() ? 'o' : '-';
        }
        return out;
    }

    testenv::TestEnv env;
    DesktopRig rig;
    QString port = "COM1";
};

struct StoredCase {
    const char *name;
    int stored;          // 0: nothing stored
    std::set<int> busy;
    const char *buttons; // as Buttons() shows them
    QString portAfterOk;
    uint32_t storedAfterOk;
};

class ComSetupStored : public ComSetup, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(ComSetupStored, SelectsTheStoredPortAndOkKeepsIt)
{
    const StoredCase &c = GetParam();
    if (c.stored) {
        UserStore s = Store();
        WriteStoredCom(s, c.stored);
    }
    rig.port.busy = c.busy;
    CComSetupDlg dlg(env.app, port);
    EXPECT_EQ(Buttons(dlg), c.buttons);
    EXPECT_FALSE(rig.port.isOpen) << "the probe left a port open";
    dlg.accept();
    EXPECT_EQ(port, c.portAfterOk);
    uint32_t stored = 99;
    ASSERT_TRUE(Store().ReadNumber("com", stored));
    EXPECT_EQ(stored, c.storedAfterOk);
}

INSTANTIATE_TEST_SUITE_P(
    Stored, ComSetupStored,
    ::testing::Values(StoredCase{"NothingStoredSelectsCom1", 0, {}, "*ooo", "com1", 1},
                      StoredCase{"Stored3SelectsCom3", 3, {4}, "oo*-", "com3", 3},
                      StoredCase{"BusyStoredPortStaysSelected", 2, {2, 3}, "o#-o", "com2", 2},
                      StoredCase{"AllBitsSetReadsAsMinusOne", -1, {}, "oooo", "com0", 0}),
    [](const ::testing::TestParamInfo<StoredCase> &i) { return std::string(i.param.name); });

TEST_F(ComSetup, DevicesShownAndCancelChangesNothing)
{
    UserStore s = Store();
    WriteStoredCom(s, 2);
    CComSetupDlg dlg(env.app, port);
    EXPECT_EQ(static_cast<QLabel *>(dlg.Control(1013))->text(), "no device");
    static_cast<QRadioButton *>(dlg.Control(1010))->setChecked(true);
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(port, "COM1");
    EXPECT_EQ(ReadStoredCom(Store()), 2);
}

} // namespace
