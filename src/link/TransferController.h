#pragma once
// The channel view's side of radio transfers: the Read, Write and Verify
// commands, the progress dialog, the start handler, the pump that keeps
// the windows alive while a transfer runs on the user-interface thread,
// and the messages. The protocol itself is the core's TransferEngine.
//
// Read, Write and Verify record the direction and show the progress dialog
// ("Read Data", "Write Data", "Verify Data" in the language); a command
// that arrives while the dialog exists changes nothing. OK starts the
// transfer (OnStartTransfer). While it runs the grid takes no input, and at
// most one transfer runs in the whole program.
//
// Outcomes: a completed read refreshes the grid (type, band, band limits,
// caption), marks the document modified and keeps a backup of the image as
// read; a failed or cancelled read leaves image and grid as they were. A
// write that fails or is cancelled after its first block says the radio is
// partly written. Verify reads into a scratch image and compares it with
// the grid encoded as a write would send it; the document never changes.
// Port messages name the port and its device.
#include "image/MemoryImage.h"
#include "image/Result.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class CProcessDlg;
class CProgramView;
struct AppState;

namespace corvane {
class SerialPort;
class TransferEngine;
struct TransferCallbacks;
} // namespace corvane

class TransferController : public QObject {
    Q_OBJECT
public:
    enum class Mode { Read, Write, Verify };

    TransferController(CProgramView &view, AppState &app);
    ~TransferController() override;

    void OnRead();
    void OnWrite();
    void OnVerify();
    void OnComSetup();
    // The start message from the dialog's OK: runs the whole transfer.
    void OnStartTransfer();

    bool IsRunning() const { return s_running == this; }
    Mode CurrentMode() const { return m_mode; }
    // The progress dialog; nullptr until the first command.
    CProcessDlg *ProcessDlg() const;

    // Whether any transfer of the program is running.
    static bool AnyRunning() { return s_running != nullptr; }

    // For commands that take the document or its window away (New, Open,
    // closing the channel window or the main window). Pending transfers
    // (dialog waiting for OK) are dropped at once. When a transfer is
    // running, it is asked to stop, `proceed` is run once it has ended
    // (from the event loop, after the transfer's handler has returned) and
    // the result is true: the caller returns now. False: nothing was
    // running; the caller goes on at once and `proceed` is not used.
    static bool CancelTransfersFirst(std::function<void()> proceed);

private:
    void Begin(Mode mode);
    // The engine pointer is set once the engine exists; messages ask it
    // whether a write has begun.
    corvane::TransferCallbacks Callbacks(corvane::MemoryImage &asRead, const corvane::SerialPort &port,
                                         corvane::TransferEngine *const &engine);
    bool Pump();
    void Finish(const corvane::Result &r, bool writeBegun, const corvane::MemoryImage &asRead,
                const corvane::MemoryImage &scratch);
    void StoreBackup(const corvane::MemoryImage &asRead);
    void ReportVerify(const corvane::MemoryImage &radio);
    void ShowFailure(int id, const QString &detail, bool writeBegun);
    QString PortLine() const;
    void SetRunning(bool running);
    QString Text(int id) const;

    CProgramView &m_view;
    AppState &m_app;
    QPointer<CProcessDlg> m_dlg;
    Mode m_mode = Mode::Read;
    bool m_bWrite = false;
    QString m_portName; // the port of the running transfer
    QString m_device;   // its device, when a message has asked for it

    static TransferController *s_running;
    static std::vector<TransferController *> s_all;
    static std::vector<std::function<void()>> s_afterTransfer;
};
