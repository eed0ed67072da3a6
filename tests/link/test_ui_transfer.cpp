// The channel view's Read, Write and Verify with the progress dialog: Cancel
// and failures on a fake port, then a whole read, write and verify through
// the real serial port against `corvane-cli simulate`.
#include "DesktopRig.h"
#include "editor/ViewFixture.h"
#include "image/Backups.h"
#include "link/LinkStrings.h"

#include <QLabel>
#include <QPushButton>

using namespace corvane;
using namespace corvane::test;

namespace {

MemoryImage RadioImage() { return ChannelImage({{1, "145.01250", ""}, {5, "146.02500", "ABC"}, {121, "150.00000", ""}}); }

class Transfers : public editortest::ViewFixture {
protected:
    void Open()
    {
        editortest::ViewFixture::Open();
        rig = std::make_unique<DesktopRig>(RadioImage());
    }
    CProcessDlg *Dlg() { return view->Transfer().ProcessDlg(); }
    QString Text(int id) { return env->app.bundle.String(id); }

    std::unique_ptr<DesktopRig> rig;
};

TEST_F(Transfers, CancelBeforeOkSendsNothingAndChangesNothing)
{
    Open();
    for (auto command : {&CProgramView::OnRead, &CProgramView::OnWrite, &CProgramView::OnVerify}) {
        (view.get()->*command)();
        ASSERT_TRUE(Dlg()->isVisible());
        QTest::keyClick(Dlg(), Qt::Key_Escape);
        EXPECT_TRUE(Dlg()->isHidden());
    }
    rig->Settle();
    EXPECT_TRUE(rig->port.events->empty());
    EXPECT_TRUE(rig->messages.isEmpty());
    EXPECT_FALSE(doc.IsModified());
}

// Retry, port, failure and partly written radio: what each message says.
TEST_F(Transfers, FailureMessagesNameThePortAndTheRadiosState)
{
    Open();
    RadioFaults silent;
    silent.silent = true;
    rig->Radio(RadioImage(), silent);
    rig->answers = {QMessageBox::Retry, QMessageBox::Cancel};
    view->OnRead();
    rig->PressOk(Dlg());
    ASSERT_EQ(rig->messages.size(), 2);
    EXPECT_EQ(rig->messages[0].section('\n', 0, 0), Text(Ids::CommError));
    EXPECT_TRUE(rig->messages[0].contains("COM1 (/dev/ttyFAKE0)")) << rig->messages[0].toStdString();
    EXPECT_FALSE(Dlg()->IsWindowCreated());
    EXPECT_EQ(GridRow(1), QStringList(8)); // a failed read leaves the document as it was
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(Backups::List(Backups::Folder()).isEmpty());
    rig->messages.clear();

    rig->port.openResult = Result::fail(Status::PortError, "Port: COM1 (/dev/ttyUSB9)\nReason: No such file");
    view->OnWrite();
    rig->PressOk(Dlg());
    ASSERT_EQ(rig->messages.size(), 1);
    EXPECT_EQ(rig->messages[0], Text(Ids::PortOpenFail) + "\n\nPort: COM1 (/dev/ttyUSB9)\nReason: No such file");

    rig->port.openResult = Result::success();
    RadioFaults noAck;
    noAck.noAck = 0x0960;
    rig->Radio(MemoryImage::newImage(), noAck);
    view->OnWrite();
    rig->PressOk(Dlg());
    ASSERT_EQ(rig->messages.size(), 2);
    EXPECT_EQ(rig->messages[1], Text(Ids::ProgramInterrupt) + "\n\nPort: COM1 (/dev/ttyFAKE0)\n" +
                                    Text(Ids::PartlyWritten));

    // Cancelled after some blocks: said; cancelled in the handshake: not.
    rig->Radio(MemoryImage::newImage());
    view->OnWrite();
    rig->AtWrite(static_cast<int>(rig->port.writes.size()) + 100, [&] {
        QTest::mouseClick(Dlg()->CancelButton(), Qt::LeftButton);
        EXPECT_TRUE(Dlg()->isVisible()); // closes when the transfer notices
    });
    rig->PressOk(Dlg());
    ASSERT_EQ(rig->messages.size(), 3);
    EXPECT_EQ(rig->messages[2], Text(Ids::PartlyWritten));

    rig->Radio(MemoryImage::newImage(), silent);
    view->OnWrite();
    rig->AtWrite(static_cast<int>(rig->port.writes.size()) + 10, [&] { Dlg()->reject(); });
    rig->PressOk(Dlg());
    EXPECT_EQ(rig->messages.size(), 3);
}

// A read fills the grid and keeps a backup, a write commits the open cell
// editor first, a verify finds a match, then the edit made since.
TEST_F(Transfers, EndToEndReadWriteVerify)
{
    Open();
    DesktopLink::SetPortFactory(nullptr);
    DesktopLink::SetClockFactory(nullptr);
    env->app.caption.clear();
    const QString before = rig->data.filePath("radio.dat"), after = rig->data.filePath("after.dat");
    ASSERT_TRUE(SaveImageFile(before, RadioImage()).ok());
    Simulator radio({"--image", before, "--save", after});
    view->m_strPort = radio.path;
    view->OnRead();
    view->OnWrite(); // a second command while the dialog exists changes nothing
    EXPECT_EQ(Dlg()->windowTitle(), "Read Data");
    rig->PressOk(Dlg());
    EXPECT_EQ(Dlg()->Counter()->text(), "512");
    EXPECT_EQ(GridRow(5), QStringList({"146.02500", "146.02500", "None", "None", "High", "Lock", "Yes", "ABC"}));
    EXPECT_EQ(env->app.caption, "Test Programmer");
    EXPECT_FALSE(env->app.newDocument);
    EXPECT_TRUE(doc.IsModified());
    // The backup holds the bytes as read, before the refresh rebuilt the band edges.
    const QStringList backups = Backups::List(Backups::Folder());
    ASSERT_EQ(backups.size(), 1);
    EXPECT_EQ(FileBytes(Backups::Folder() + "/" + backups[0]), Bytes(RadioImage()));

    const auto edit = [this](int row, const QString &text) {
        Click(row, 1);
        ASSERT_TRUE(QTest::qWaitFor([this] { return Focus() != nullptr; })) << "the keyboard is lost";
        Type(text);
    };
    edit(3, "145.0125");
    view->OnWrite();
    EXPECT_EQ(GridRow(3)[0], "145.01250");
    rig->PressOk(Dlg());
    EXPECT_EQ(Dlg()->Counter()->text(), "461");
    view->OnVerify();
    rig->PressOk(Dlg());
    edit(3, "147.5");
    const QByteArray image = Bytes(doc.m_image);
    view->OnVerify();
    rig->PressOk(Dlg());
    EXPECT_EQ(rig->messages, (QStringList{"The radio matches the document.",
                                          "The radio differs from the document:\n"
                                          "Channel 2, Rx Frequency: document 147.50000, radio 145.01250"}));
    EXPECT_EQ(Bytes(doc.m_image), image);
    EXPECT_EQ(GridRow(3)[0], "147.50000");
    radio.Stop();
    EXPECT_EQ(FileBytes(after).mid(32, 4), QByteArray("\x50\x12\x50\x14", 4));
    EXPECT_EQ(FileBytes(after).mid(64, 16), Bytes(RadioImage()).mid(64, 16));
}

} // namespace
