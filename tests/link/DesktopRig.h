#pragma once
// The desktop program's transfers on a FakePort with a VirtualRadio at its
// far end; message boxes answered from a queue and recorded.
#include "FakeLink.h"
#include "LinkHelpers.h"
#include "link/CProcessDlg.h"
#include "link/DesktopLink.h"
#include "link/PortNames.h"
#include "link/TransferController.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace corvane::test {

// Forwards to a port the rig keeps, so the program may own "its" port.
class PortRef : public SerialPort {
public:
    explicit PortRef(SerialPort &p) : m(p) {}
    Result Open(const QString &n) override { return m.Open(n); }
    void SetupComm(int r, int t) override { m.SetupComm(r, t); }
    void SetTimeouts(const CommTimeouts &t) override { m.SetTimeouts(t); }
    void SetLineSettings(const LineSettings &s) override { m.SetLineSettings(s); }
    void Purge(PurgeMode mode) override { m.Purge(mode); }
    void Write(const uint8_t *d, int n) override { m.Write(d, n); }
    ReadOutcome Read(int n) override { return m.Read(n); }
    void Close() override { m.Close(); }
    QString DeviceFor(const QString &name) const override { return m.DeviceFor(name); }

private:
    SerialPort &m;
};

// COM1 and COM2 stand for devices, COM3 and COM4 for none; ports in
// `busy` refuse to open.
class MappedFakePort : public FakePort {
public:
    using FakePort::FakePort;
    Result Open(const QString &name) override
    {
        return busy.count(ComNumber(name)) ? Result::fail(Status::PortError, "busy") : FakePort::Open(name);
    }
    QString DeviceFor(const QString &name) const override
    {
        const int n = ComNumber(name);
        return n == 0 ? name : n == 1 ? "/dev/ttyFAKE0" : n == 2 ? "/dev/serial/by-id/usb-FTDI_FT232R_UART_A502-if00-port0" : "";
    }
    std::set<int> busy;
};

struct DesktopRig {
    explicit DesktopRig(const MemoryImage &radioMemory = MemoryImage::newImage(), const RadioFaults &faults = {})
        : radio(std::make_unique<VirtualRadio>(radioMemory, faults))
    {
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        port.AttachRadio(*radio);
        DesktopLink::SetPortFactory([this](const AppState &) { return std::make_unique<PortRef>(port); });
        DesktopLink::SetClockFactory([] { return std::make_unique<FakeClock>(); });
        DesktopLink::SetMessageHook([this](QWidget *, const QString &, const QString &text,
                                           QMessageBox::StandardButtons) {
            messages << text;
            if (answers.empty())
                return QMessageBox::Ok;
            const QMessageBox::StandardButton b = answers.front();
            answers.pop_front();
            return b;
        });
    }
    ~DesktopRig()
    {
        DesktopLink::SetPortFactory(nullptr);
        DesktopLink::SetClockFactory(nullptr);
        DesktopLink::SetMessageHook(nullptr);
    }

    // A new radio at the far end (the port stays).
    void Radio(const MemoryImage &memory, const RadioFaults &faults = {})
    {
        radio = std::make_unique<VirtualRadio>(memory, faults);
        port.AttachRadio(*radio);
    }

    // Runs `action` at the first pump pass after the port's n-th write.
    void AtWrite(int n, std::function<void()> action)
    {
        port.beforeWrite = [this, n, action, fired = false](const QByteArray &) mutable {
            if (!fired && static_cast<int>(port.writes.size()) + 1 >= n) {
                fired = true;
                QTimer::singleShot(0, qApp, action);
            }
        };
    }

    // Presses OK and runs the transfer, and whatever waited for it, to the end.
    void PressOk(CProcessDlg *dlg)
    {
        ASSERT_NE(dlg, nullptr);
        ASSERT_TRUE(dlg->IsWindowCreated());
        dlg->OkButton()->click();
        Settle();
    }

    // Handles events until no transfer runs and the port is quiet for 50 ms.
    void Settle()
    {
        QElapsedTimer quiet;
        quiet.start();
        while (quiet.elapsed() < 50) {
            const std::size_t events = port.events->size();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            if (port.events->size() != events || TransferController::AnyRunning())
                quiet.restart();
        }
    }

    QTemporaryDir data;
    FakeClock clock;
    MappedFakePort port{clock};
    std::unique_ptr<VirtualRadio> radio;
    std::deque<QMessageBox::StandardButton> answers; // default OK
    QStringList messages;
};

} // namespace corvane::test
