#include "link/TransferController.h"

#include "app/AppState.h"
#include "editor/CProgramView.h"
#include "frame/CMainFrame.h"
#include "image/Backups.h"
#include "image/CProgramDoc.h"
#include "image/ImagePasses.h"
#include "image/Texts.h"
#include "link/CComSetupDlg.h"
#include "link/CProcessDlg.h"
#include "link/DesktopLink.h"
#include "link/LinkStrings.h"
#include "link/PortNames.h"
#include "link/TransferCallbacks.h"
#include "link/TransferEngine.h"
#include "link/VerifyReport.h"

#include <QApplication>
#include <QWindow>
#include <QDir>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>

using corvane::MemoryImage;
using corvane::Result;
using corvane::Status;

TransferController *TransferController::s_running = nullptr;
std::vector<TransferController *> TransferController::s_all;
std::vector<std::function<void()>> TransferController::s_afterTransfer;

namespace {
constexpr int kStatusMs = 15000;
}

TransferController::TransferController(CProgramView &view, AppState &app) : m_view(view), m_app(app)
{
    s_all.push_back(this);
}

TransferController::~TransferController()
{
    s_all.erase(std::remove(s_all.begin(), s_all.end(), this), s_all.end());
    delete m_dlg.data();
}

CProcessDlg *TransferController::ProcessDlg() const { return m_dlg.data(); }

QString TransferController::Text(int id) const { return m_app.bundle.String(id); }

void TransferController::OnRead() { Begin(Mode::Read); }
void TransferController::OnWrite() { Begin(Mode::Write); }
void TransferController::OnVerify() { Begin(Mode::Verify); }

void TransferController::Begin(Mode mode)
{
    if (!m_dlg) {
        m_dlg = new CProcessDlg(m_view.window());
        connect(m_dlg, &CProcessDlg::StartTransfer, this, &TransferController::OnStartTransfer, Qt::QueuedConnection);
    }
    if (m_dlg->IsWindowCreated())
        return;
    m_mode = mode;
    m_bWrite = mode == Mode::Write;
    if (m_bWrite)
        m_view.OnLeaveCell();
    switch (mode) {
    case Mode::Read: m_dlg->m_strTitle = corvane::Txt::ReadData.text(m_app.chinese); break;
    case Mode::Write: m_dlg->m_strTitle = corvane::Txt::WriteData.text(m_app.chinese); break;
    case Mode::Verify: m_dlg->m_strTitle = Text(Ids::VerifyTitle); break;
    }
    m_dlg->Create();
}

void TransferController::OnComSetup()
{
    CComSetupDlg dlg(m_app, m_view.m_strPort, m_view.window());
    dlg.exec();
}

void TransferController::OnStartTransfer()
{
    if (!m_dlg || !m_dlg->IsWindowCreated() || IsRunning())
        return;
    if (s_running) {
        // One transfer at a time: this one keeps waiting for its OK.
        if (QPushButton *ok = m_dlg->OkButton())
            ok->setEnabled(true);
        return;
    }
    m_portName = m_view.m_strPort;
    m_device.clear();
    std::unique_ptr<corvane::SerialPort> port = DesktopLink::NewPort(m_app);
    std::unique_ptr<corvane::Clock> clock = DesktopLink::NewClock();
    CProgramDoc &doc = m_view.GetDocument();
    MemoryImage scratch = doc.m_image, asRead;
    corvane::TransferEngine *engine = nullptr;
    corvane::TransferEngine run(*port, *clock, m_mode == Mode::Verify ? scratch : doc.m_image,
                                Callbacks(asRead, *port, engine));
    engine = &run;
    run.SetWrite(m_bWrite);
    SetRunning(true);
    const Result r = run.Run(m_portName);
    SetRunning(false);
    Finish(r, run.WriteBegun(), asRead, scratch);
    // After the last message box the keyboard goes back to the channel
    // window, also where no window manager hands it back.
    QTimer::singleShot(0, m_view.window(), [window = m_view.window()] {
        if (!QApplication::activeWindow() && window->windowHandle())
            window->windowHandle()->requestActivate();
    });

    // Whatever waited for this transfer to end runs once this handler has
    // returned, so it may take the view and its document away.
    std::vector<std::function<void()>> after;
    after.swap(s_afterTransfer);
    for (std::function<void()> &f : after)
        QTimer::singleShot(0, qApp, std::move(f));
}

corvane::TransferCallbacks TransferController::Callbacks(MemoryImage &asRead, const corvane::SerialPort &port,
                                                         corvane::TransferEngine *const &engine)
{
    corvane::TransferCallbacks cb;
    cb.showMessageWithDetail = [this, &engine, &port](int id, const QString &detail) {
        m_device = port.DeviceFor(m_portName);
        ShowFailure(id, detail, engine && engine->WriteBegun());
    };
    cb.commErrorPrompt = [this, &port] {
        m_device = port.DeviceFor(m_portName);
        const QString text = Text(Ids::CommError) + QStringLiteral("\n\n") + PortLine();
        return DesktopLink::Message(m_dlg, m_app, text, QMessageBox::Retry | QMessageBox::Cancel)
                       == QMessageBox::Retry
                   ? corvane::PromptAnswer::Retry
                   : corvane::PromptAnswer::Cancel;
    };
    cb.commitPendingEdit = [this] {
        m_view.OnLeaveCell();
        // Typed text would be lost under a read's refresh or missed by a write.
        m_view.Grid().setEnabled(false);
    };
    cb.commitToImage = [this] { m_view.CommitToImage(); };
    if (m_mode == Mode::Read) {
        cb.refreshFromImage = [this, &asRead] {
            asRead = m_view.GetDocument().m_image;
            m_view.RefreshFromImage();
        };
        cb.clearNewDocumentFlag = [this] { m_app.newDocument = false; };
    }
    cb.pump = [this] { return Pump(); };
    cb.closeProgressDialog = [this] {
        if (m_dlg)
            m_dlg->Destroy();
    };
    cb.progress = m_dlg;
    return cb;
}

bool TransferController::Pump()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return !m_dlg || m_dlg->m_bCancel;
}

void TransferController::SetRunning(bool running)
{
    s_running = running ? this : (s_running == this ? nullptr : s_running);
    if (!running)
        m_view.Grid().setEnabled(true);
    if (auto *frame = qobject_cast<CMainFrame *>(m_view.window()))
        frame->Router().UpdateUI();
}

QString TransferController::PortLine() const
{
    return Text(Ids::PortLine).arg(corvane::PortLabel(m_portName, m_device, Text(Ids::NoDevice)));
}

void TransferController::ShowFailure(int id, const QString &detail, bool writeBegun)
{
    QStringList lines;
    if (id == Ids::PortOpenFail)
        lines << (detail.isEmpty() ? PortLine() : detail);
    else
        lines << PortLine();
    if (m_bWrite && writeBegun)
        lines << Text(Ids::PartlyWritten);
    DesktopLink::Message(m_dlg, m_app, Text(id) + QStringLiteral("\n\n") + lines.join(QLatin1Char('\n')),
                         QMessageBox::Ok);
}

void TransferController::Finish(const Result &r, bool writeBegun, const MemoryImage &asRead,
                                const MemoryImage &scratch)
{
    switch (m_mode) {
    case Mode::Read:
        if (r.ok()) {
            m_view.GetDocument().SetModifiedFlag(true);
            StoreBackup(asRead);
        }
        break;
    case Mode::Write:
        // A failed write said so in its message; a cancelled one says it here.
        if (r.status == Status::Cancelled && writeBegun)
            DesktopLink::Message(m_view.window(), m_app, Text(Ids::PartlyWritten), QMessageBox::Ok);
        break;
    case Mode::Verify:
        if (r.ok())
            ReportVerify(scratch);
        break;
    }
}

void TransferController::StoreBackup(const MemoryImage &asRead)
{
    QString path;
    const Result stored = corvane::Backups::Store(asRead, QDateTime::currentDateTime(), &path);
    const QString text = stored.ok() ? Text(Ids::BackupStored).arg(QDir::toNativeSeparators(path))
                                     : Text(Ids::BackupFailed).arg(stored.text);
    if (auto *main = qobject_cast<QMainWindow *>(m_view.window()))
        main->statusBar()->showMessage(text, kStatusMs);
}

void TransferController::ReportVerify(const MemoryImage &radio)
{
    MemoryImage expected = m_view.GetDocument().m_image;
    corvane::CommitToImage(m_view.Table(), expected);
    const QStringList lines = corvane::VerifyLines(expected, radio, m_app.chinese, m_app.bundle);
    DesktopLink::Message(m_view.window(), m_app, corvane::VerifyMessage(lines, m_app.bundle), QMessageBox::Ok,
                         lines.isEmpty() ? QMessageBox::Information : QMessageBox::Warning);
}

bool TransferController::CancelTransfersFirst(std::function<void()> proceed)
{
    for (TransferController *c : std::vector<TransferController *>(s_all))
        if (c != s_running && c->m_dlg && c->m_dlg->IsWindowCreated())
            c->m_dlg->reject();
    if (!s_running)
        return false;
    if (s_running->m_dlg)
        s_running->m_dlg->m_bCancel = true;
    s_afterTransfer.push_back(std::move(proceed));
    return true;
}
