// The desktop program against the virtual radio on a real pseudo-terminal
// (`corvane-cli simulate`), through the real serial port: read into the
// grid, edit a cell, write, verify.
#include "editor/ViewFixture.h"

#include "image/ChannelTable.h"
#include "image/DataFile.h"
#include "image/ImagePasses.h"
#include "link/CProcessDlg.h"
#include "link/DesktopLink.h"
#include "link/TransferController.h"

#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

using namespace corvane;

namespace {

class DesktopEndToEnd : public editortest::ViewFixture {
protected:
    void SetUp() override
    {
        qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8());
        DesktopLink::SetMessageHook([this](QWidget *, const QString &, const QString &text,
                                           QMessageBox::StandardButtons) {
            said << text;
            return QMessageBox::Ok;
        });
    }
    void TearDown() override
    {
        DesktopLink::SetMessageHook(nullptr);
        StopRadio();
        editortest::ViewFixture::TearDown();
    }
    void StartRadio(const MemoryImage &memory)
    {
        ASSERT_TRUE(SaveImageFile(dir.filePath("radio.dat"), memory).ok());
        radio.start(CORVANE_BIN_DIR "/corvane-cli",
                    {"simulate", "--image", dir.filePath("radio.dat"), "--save", dir.filePath("after.dat")});
        while (radio.waitForReadyRead(10000) && !radio.canReadLine()) {
        }
        path = QString::fromLocal8Bit(radio.readLine()).trimmed();
        ASSERT_TRUE(path.startsWith("/dev/")) << path.toStdString();
    }
    void StopRadio()
    {
        if (radio.state() != QProcess::NotRunning) {
            radio.terminate();
            radio.waitForFinished(10000);
        }
    }
    void Run(void (CProgramView::*command)())
    {
        (view.get()->*command)();
        CProcessDlg *dlg = view->Transfer().ProcessDlg();
        ASSERT_TRUE(dlg && dlg->IsWindowCreated());
        dlg->OkButton()->click();
        for (int i = 0; i < 2000 && dlg->IsWindowCreated(); ++i)
            QTest::qWait(10);
        ASSERT_FALSE(dlg->IsWindowCreated());
        QTest::qWait(50); // the keyboard returns to the channel window
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    }

    QTemporaryDir dir;
    QProcess radio;
    QString path;
    QStringList said;
};

TEST_F(DesktopEndToEnd, ReadEditWriteVerify)
{
    Open();
    MemoryImage memory = MemoryImage::newImage();
    ChannelTable t;
    const QStringList row = {"146.02500", "146.02500", "D023N", "None", "Low", "Unlock", "No", "HOME"};
    for (int c = ColRx; c <= ColName; ++c)
        t.cell(5, c) = row[c - 1];
    CommitToImage(t, memory);
    StartRadio(memory);
    view->m_strPort = path;

    Run(&CProgramView::OnRead);
    EXPECT_EQ(GridRow(5), row);
    EXPECT_TRUE(said.isEmpty()) << said.join('\n').toStdString();

    NewChannel(3, "147.5");
    Run(&CProgramView::OnWrite);
    Run(&CProgramView::OnVerify);
    EXPECT_EQ(said, QStringList{"The radio matches the document."});

    StopRadio();
    MemoryImage after;
    ASSERT_TRUE(LoadImageFile(dir.filePath("after.dat"), after).ok());
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(after.record(2)), 4), QByteArray("\x00\x00\x75\x14", 4));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(after.record(4)), 16),
              QByteArray(reinterpret_cast<const char *>(memory.record(4)), 16));
}

} // namespace
