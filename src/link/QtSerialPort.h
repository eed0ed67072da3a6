#pragma once
// The real serial port on QSerialPort, with Windows-style read timeouts:
// a read of n bytes returns when n bytes have arrived, when more than the
// interval (30 ms) passes between two bytes, or after multiplier * n +
// constant (500 ms * n + 90 ms) in all. A timeout is not an error.
//
// A device that goes away (USB cable pulled, pseudo-terminal hung up) makes
// the read that notices it, and every later read, report an error; it is
// noticed within one read timeout. Port names are mapped to devices as
// PortNames.h describes.
//
// A failed open says why in the result's text: with texts, the lines of
// DescribeOpenFailure (port and device, the system's reason, what to do)
// in their language; without, "device: reason".
#include "link/SerialPort.h"

#include <QSerialPort>
#include <QStringList>

class CProfileFile;
class LanguageBundle;

namespace corvane {

class QtSerialPort : public SerialPort {
public:
    // settings (may be null) supplies the "Ports" section, texts (may be
    // null) the language of open failures; neither is owned.
    explicit QtSerialPort(const CProfileFile *settings = nullptr, const LanguageBundle *texts = nullptr);
    ~QtSerialPort() override;

    Result Open(const QString &name) override;
    void SetupComm(int rxBytes, int txBytes) override;
    void SetTimeouts(const CommTimeouts &timeouts) override;
    void SetLineSettings(const LineSettings &settings) override;
    void Purge(PurgeMode mode) override;
    void Write(const uint8_t *data, int n) override;
    ReadOutcome Read(int n) override;
    void Close() override;
    QString DeviceFor(const QString &name) const override;

    // The system's serial devices, USB adapters first.
    static QStringList SystemDevices();

private:
    bool DeviceLost();
    void WaitUntilSent(int n);
    QString DescribeFailure(const QString &name, const QString &device) const;

    const CProfileFile *m_settings;
    const LanguageBundle *m_texts;
    QSerialPort m_port;
    CommTimeouts m_timeouts;
    bool m_lost = false;
};

} // namespace corvane
