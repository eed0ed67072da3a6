// Write to Several Radios on the offscreen platform: the dialog against
// virtual radios on pseudo-terminals, its report, Cancel, and the menu
// command that commits the pending edit before the dialog opens.
#include "app/GuiTestSupport.h"
#include "link/RadioLines.h"
#include "link/TransferRig.h"

#include "app/CommandIds.h"
#include "dialogs/CFleetDlg.h"
#include "dialogs/FleetCommand.h"
#include "editor/CProgramView.h"
#include "frame/CChildFrame.h"
#include "image/CProgramDoc.h"
#include "link/QtSerialPort.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>

using namespace corvane;
using namespace corvane::test;

namespace {

class FleetDialog : public ::testing::Test {
protected:
    // Rows: COM1 without a device, then one row per radio line.
    std::unique_ptr<CFleetDlg> Make(const RadioLines &radios, int count, const MemoryImage &image,
                                    std::vector<FleetTarget> more = {})
    {
        CFleetDlg::Setup setup;
        setup.documentName = QStringLiteral("fleet.dat");
        setup.reportName = env.Path("fleet-report.csv");
        setup.image = image;
        setup.candidates.push_back({QStringLiteral("COM1"), QString()});
        setup.candidates.insert(setup.candidates.end(), more.begin(), more.end());
        for (int i = 0; i < count; ++i)
            setup.candidates.push_back({radios.Path(i), radios.Path(i)});
        setup.ports = [](const FleetTarget &) { return std::make_unique<QtSerialPort>(); };
        setup.prompts = script.Make();
        auto dlg = std::make_unique<CFleetDlg>(env.app, std::move(setup));
        dlg->show();
        return dlg;
    }
    static bool WaitFinished(CFleetDlg &dlg)
    {
        QSignalSpy done(&dlg.Runner(), &FleetRunner::finished);
        return !dlg.Runner().IsRunning() || done.wait(120000);
    }
    static void CheckAll(CFleetDlg &dlg)
    {
        for (int r = 1; r < dlg.RowCount(); ++r)
            dlg.PortCheck(r)->setChecked(true);
    }

    testenv::TestEnv env;
    PromptScript script;
};

// Start refuses no port, a port without a device and one device under two
// names; then three radios are written, one of them with a fault.
TEST_F(FleetDialog, RefusesBadChoicesThenWritesThreeRadiosAndSavesTheReport)
{
    RadioFaults drop; // the middle radio acknowledges a block it does not store
    drop.dropWrite = 0x1000;
    RadioLines lines(PatternImage(1), {RadioFaults{}, drop, RadioFaults{}});
    auto dlg = Make(lines, 3, PatternImage(2), {{QStringLiteral("COM2"), lines.Path(0)}});
    EXPECT_FALSE(dlg->PortCheck(0)->isEnabled());
    EXPECT_TRUE(dlg->VerifyCheck()->isChecked());
    QTest::mouseClick(dlg->StartButton(), Qt::LeftButton);
    dlg->PortCheck(0)->setChecked(true); // no device: cannot take part
    QTest::mouseClick(dlg->StartButton(), Qt::LeftButton);
    CheckAll(*dlg);
    QTest::mouseClick(dlg->StartButton(), Qt::LeftButton);
    const QString chooseAPort = env.app.bundle.String(CFleetDlg::IdChooseAPort);
    EXPECT_EQ(script.messages, (QStringList{chooseAPort, chooseAPort,
                                            env.app.bundle.String(CFleetDlg::IdSameDevice)
                                                .arg("COM2 and " + lines.Path(0) + " are the same device ("
                                                     + lines.Path(0) + ")")}));
    EXPECT_TRUE(dlg->Runner().Results().empty());

    dlg->PortCheck(1)->setChecked(false);
    QTest::mouseClick(dlg->StartButton(), Qt::LeftButton);
    EXPECT_FALSE(dlg->StartButton()->isEnabled());
    EXPECT_FALSE(dlg->PortCheck(2)->isEnabled());
    ASSERT_TRUE(WaitFinished(*dlg));
    lines.Stop();
    EXPECT_EQ(QStringList({dlg->StatusText(2)->text(), dlg->StatusText(3)->text(), dlg->StatusText(4)->text()}),
              QStringList({"ok", "verify mismatch: 8 bytes", "ok"}));
    const QString summary = dlg->Summary()->text();
    EXPECT_TRUE(summary.startsWith("2 of 3 radios ok (3 ports, ")) << summary.toStdString();
    EXPECT_TRUE(summary.endsWith("write it again.")); // the mismatched radio
    EXPECT_TRUE(HoldsSentRanges(lines.Radio(0).Memory(), PatternImage(2))); // the document's bytes

    // Save Report proposes its name (the choice of the file: tests/app).
    ASSERT_TRUE(dlg->SaveButton()->isEnabled());
    const QString report = env.Path("fleet-report.csv");
    script.fileNames = {report};
    QTest::mouseClick(dlg->SaveButton(), Qt::LeftButton);
    EXPECT_EQ(script.proposedNames.value(0), report);
    EXPECT_EQ(testenv::TestEnv::ReadFile(report).count('\n'), 4); // the heading and three ports
}

TEST_F(FleetDialog, CancelStopsEveryPortAndTheWindowStaysUntilTheyEnd)
{
    // Paced: a write takes 13 s, so every port is still at work.
    RadioLines lines(PatternImage(1), {RadioFaults{}, RadioFaults{}, RadioFaults{}}, 9600);
    auto dlg = Make(lines, 3, PatternImage(2));
    CheckAll(*dlg);
    QTest::mouseClick(dlg->StartButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor( // every radio has taken some blocks
        [&] { return dlg->Bar(1)->value() > 8 && dlg->Bar(2)->value() > 8 && dlg->Bar(3)->value() > 8; }, 60000));
    dlg->reject(); // the close box or Escape
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_FALSE(dlg->CancelButton()->isEnabled());
    ASSERT_TRUE(WaitFinished(*dlg));
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(dlg->StatusText(r)->text(), "cancelled");
    QTest::mouseClick(dlg->CancelButton(), Qt::LeftButton);
    EXPECT_FALSE(dlg->isVisible());
}

// The command commits the open cell editor and encodes the grid before
// the dialog gets its image; a rejected cell keeps the dialog closed.
TEST(FleetCommandTest, CommitsThePendingEditFirst)
{
    StartedApp s(TestIni("English"));
    ASSERT_TRUE(s.started);
    CMainFrame *frame = s.app->MainFrame();
    CProgramView *view = frame->ActiveChild()->GetView();
    QStringList cautions;
    CProgramView::SetMessageHook([&](QWidget *, const QString &, const QString &text) { cautions << text; });
    const MemoryImage before = view->GetDocument().m_image;
    std::vector<MemoryImage> seen;
    FleetCommand::SetExecHook([&](CFleetDlg &dlg) { seen.push_back(dlg.Image()); });
    for (const auto &[row, typed] : {std::pair{5, "150.00000"}, std::pair{6, "999.00000"}}) {
        view->Grid().SetRowCol(row, 1); // the receive frequency of channel row - 1
        view->EditorForColumn()->show();
        view->EditRx().setText(QString::fromLatin1(typed));
        EXPECT_TRUE(frame->Router().Execute(Cmd::WriteSeveral));
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(cautions.size(), 1);
    EXPECT_EQ(seen[0], view->GetDocument().m_image);
    EXPECT_NE(seen[0], before);
    EXPECT_EQ(view->Grid().TextMatrix(5, 1), "150.00000");
    FleetCommand::SetExecHook(nullptr);
    CProgramView::SetMessageHook(nullptr);
}

} // namespace
