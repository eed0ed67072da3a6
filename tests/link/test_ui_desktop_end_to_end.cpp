// The desktop program against the virtual radio on a real pseudo-terminal
// (`corvane-cli simulate`), through the real serial port: read into the
// grid, edit a cell, write, verify.
#include "LinkHelpers.h"
#include "editor/ViewFixture.h"

#include "image/DataFile.h"
#include "image/ImagePasses.h"
#include "link/CProcessDlg.h"
#include "link/DesktopLink.h"
#include "link/TransferController.h"

#include <QPushButton>
#include <QTemporaryDir>

using namespace corvane;

namespace {

class DesktopEndToEnd : public editortest::ViewFixture {
protected:
    void Run(void (CProgramView::*command)())
    {
        (view.get()->*command)();
        CProcessDlg *dlg = view->Transfer().ProcessDlg();
        dlg->OkButton()->click();
        for (int i = 0; i < 3000 && dlg->IsWindowCreated(); ++i)
            QTest::qWait(10);
        ASSERT_FALSE(dlg->IsWindowCreated());
        QTest::qWait(50); // the keyboard returns to the channel window
    }
    QTemporaryDir dir;
};

TEST_F(DesktopEndToEnd, ReadEditWriteVerify)
{
    qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8());
    QStringList said;
    DesktopLink::SetMessageHook([&](QWidget *, const QString &, const QString &text, QMessageBox::StandardButtons) {
        said << text;
        return QMessageBox::Ok;
    });
    Open();
    MemoryImage memory = MemoryImage::newImage();
    const QStringList row = {"146.02500", "146.02500", "D023N", "None", "Low", "Unlock", "No", "HOME"};
    ChannelTable table;
    for (int c = ColRx; c <= ColName; ++c)
        table.cell(5, c) = row[c - 1];
    CommitToImage(table, memory);
    ASSERT_TRUE(SaveImageFile(dir.filePath("radio.dat"), memory).ok());
    test::Simulator radio({"--image", dir.filePath("radio.dat"), "--save", dir.filePath("after.dat")});
    view->m_strPort = radio.path;

    Run(&CProgramView::OnRead);
    EXPECT_EQ(GridRow(5), row);
    NewChannel(3, "147.5");
    Run(&CProgramView::OnWrite);
    Run(&CProgramView::OnVerify);
    EXPECT_EQ(said, QStringList{"The radio matches the document."});
    DesktopLink::SetMessageHook(nullptr);

    radio.Stop();
    MemoryImage after;
    ASSERT_TRUE(LoadImageFile(dir.filePath("after.dat"), after).ok());
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(after.record(2)), 4), QByteArray("\x00\x00\x75\x14", 4));
    EXPECT_TRUE(std::equal(memory.record(4), memory.record(4) + 16, after.record(4)));
}

} // namespace
