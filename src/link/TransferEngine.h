#pragma once
// One radio transfer, read or write, from the pending-edit commit to the
// closing of the progress dialog: handshake, block loops and the failure
// rules. Runs on the caller's thread against an abstract port and clock; it
// never opens a dialog, it asks the caller through TransferCallbacks.
//
// Outcomes (Result::status): Ok; PortError (message 61453 shown, text holds
// the system's reason); CommError (prompt 61451 answered Cancel);
// Interrupted (message 61454 shown); Cancelled (cancel flag seen after a
// pump pass, no message). Result::text says what failed, for logs.
//
// A read fills a copy of the image and moves it into the image only when
// all 1024 blocks have arrived: a failed or cancelled read leaves the image
// exactly as it was, so the grid and the image never disagree.
#include "image/MemoryImage.h"
#include "image/Result.h"
#include "link/TransferCallbacks.h"

#include <QString>

namespace corvane {

class Clock;
class SerialPort;

class TransferEngine {
public:
    TransferEngine(SerialPort &port, Clock &clock, MemoryImage &image, TransferCallbacks callbacks);

    // 0: read from the radio, 1: write to it. Taken when Run starts.
    void SetWrite(bool write) { m_bWrite = write; }
    bool IsWrite() const { return m_bWrite; }

    // Runs one whole transfer on the named port.
    Result Run(const QString &portName);

    // True once the running or last write sent its first block: from then
    // on a failed or cancelled write leaves the radio partly written.
    bool WriteBegun() const { return m_writeBegun; }

    // Handshake attempts allowed before the prompt, and the count above
    // which a missing final acknowledgement interrupts instead of prompting.
    static constexpr int kMaxAttempts = 15;
    static constexpr int kPromptLimit = 5;

private:
    enum class Step { Next, Prompt, CommError, Interrupted, Cancelled, Done };

    Step Handshake();
    Step HandshakeUntilPrompt();
    bool WakeAcknowledged();
    Step Identify();
    Step ReadLoop();
    Step ReadBlock(int address, MemoryImage &into);
    Step WriteLoop();
    Step WriteBlock(int address);
    void ReportBlock(int address, int done, int total);
    // Pumps n passes, sleeping sleepMs after each; true when cancelled.
    bool PumpPasses(int n, int sleepMs);
    bool ReadAck();
    // Reads the 0x06 that follows a block; Interrupted when it is missing.
    Step BlockAcknowledged(const char *block, int address);
    void WriteByte(uint8_t b);
    void ShowMessage(int id, const QString &detail);
    Result Finish(Step step);
    Step Fail(Step step, const QString &why);

    SerialPort &m_port;
    Clock &m_clock;
    MemoryImage &m_image;
    TransferCallbacks m_cb;
    bool m_bWrite = false;
    bool m_writing = false; // direction of the running transfer
    bool m_writeBegun = false;
    int m_attempts = 0;
    QString m_detail;
};

} // namespace corvane
