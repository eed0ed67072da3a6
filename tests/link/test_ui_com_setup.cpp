// The COM Setup dialog: which buttons a real open probe disables, which one
// the stored choice selects, what OK and Cancel change, the device shown
// beneath each button, and F1.
#include "DesktopRig.h"
#include "editor/GuiApp.h"
#include "support/TestEnv.h"

#include "app/HelpService.h"
#include "link/CComSetupDlg.h"
#include "link/DesktopLink.h"
#include "link/PortSetup.h"
#include "settings/UserStore.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace corvane;

namespace {

class ComSetup : public ::testing::Test {
protected:
    void SetUp() override { editortest::EnsureApp(); }
    void Busy(std::set<int> ports) { rig.port.busy = std::move(ports); }
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
    test::DesktopRig rig;
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
    Busy(c.busy);
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
                      StoredCase{"OutsideTheRangeSelectsNone", 7, {}, "oooo", "com0", 0},
                      StoredCase{"AllBitsSetReadsAsMinusOne", -1, {}, "oooo", "com0", 0}),
    [](const ::testing::TestParamInfo<StoredCase> &i) { return std::string(i.param.name); });

TEST_F(ComSetup, CancelChangesNothingAndF1AsksHelp)
{
    UserStore s = Store();
    WriteStoredCom(s, 2);
    Busy({});
    QStringList help;
    HelpService::SetHandler([&](const QString &file, int id) { help << file + "#" + QString::number(id); });
    {
        CComSetupDlg dlg(env.app, port);
        static_cast<QRadioButton *>(dlg.Control(1010))->setChecked(true);
        QTest::keyClick(&dlg, Qt::Key_F1);
        QTest::keyClick(&dlg, Qt::Key_Escape);
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
    }
    HelpService::SetHandler(nullptr);
    EXPECT_EQ(help, QStringList{"enHelp.chm#32777"});
    EXPECT_EQ(port, "COM1");
    EXPECT_EQ(ReadStoredCom(Store()), 2);
}

TEST_F(ComSetup, EachButtonShowsItsDevice)
{
    Busy({});
    CComSetupDlg dlg(env.app, port);
    auto *com1 = static_cast<QLabel *>(dlg.Control(1011));
    auto *com2 = static_cast<QLabel *>(dlg.Control(1012));
    EXPECT_EQ(com1->text(), "/dev/ttyFAKE0");
    EXPECT_EQ(com2->toolTip(), "/dev/serial/by-id/usb-FTDI_FT232R_UART_A502-if00-port0");
    EXPECT_LE(com2->fontMetrics().horizontalAdvance(com2->text()), com2->width()) << "long paths are shortened";
    EXPECT_EQ(static_cast<QLabel *>(dlg.Control(1013))->text(), "no device");
}

} // namespace
