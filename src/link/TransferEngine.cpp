#include "link/TransferEngine.h"

#include "app/LanguageBundle.h"
#include "link/Clock.h"
#include "link/ProgressSink.h"
#include "link/Protocol.h"
#include "link/SerialPort.h"

#include <cstring>

namespace corvane {

namespace {
QString Hex(int address)
{
    return QStringLiteral("0x") + QString::number(address, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

bool IsAck(const QByteArray &bytes) { return !bytes.isEmpty() && static_cast<uint8_t>(bytes[0]) == Proto::Ack; }
} // namespace

TransferEngine::TransferEngine(SerialPort &port, Clock &clock, MemoryImage &image, TransferCallbacks callbacks)
    : m_port(port), m_clock(clock), m_image(image), m_cb(std::move(callbacks))
{
}

Result TransferEngine::Run(const QString &portName)
{
    m_writing = m_bWrite;
    m_writeBegun = false;
    m_detail.clear();
    if (m_cb.commitPendingEdit)
        m_cb.commitPendingEdit();
    if (m_cb.progress)
        m_cb.progress->SetRange(m_writing ? Proto::WriteSteps : Proto::ReadSteps);
    if (m_writing && m_cb.commitToImage)
        m_cb.commitToImage();

    const Result open = m_port.Open(portName);
    if (!open.ok()) {
        ShowMessage(Ids::PortOpenFail, open.text);
        if (m_cb.closeProgressDialog)
            m_cb.closeProgressDialog();
        return Result::fail(Status::PortError, open.text);
    }
    m_port.SetupComm(Proto::RxQueue, Proto::TxQueue);
    m_port.SetTimeouts(CommTimeouts{});
    m_port.SetLineSettings(LineSettings{});

    Step step = Handshake();
    if (step == Step::Next)
        step = m_writing ? WriteLoop() : ReadLoop();
    return Finish(step);
}

Result TransferEngine::Finish(Step step)
{
    Status status = Status::Ok;
    switch (step) {
    case Step::Interrupted:
        // The message is shown while the port is still open.
        ShowMessage(Ids::ProgramInterrupt, m_detail);
        status = Status::Interrupted;
        break;
    case Step::CommError: status = Status::CommError; break;
    case Step::Cancelled: status = Status::Cancelled; break;
    default:
        if (!m_writing) {
            if (m_cb.clearNewDocumentFlag)
                m_cb.clearNewDocumentFlag();
            if (m_cb.refreshFromImage)
                m_cb.refreshFromImage();
        }
        break;
    }
    m_port.Close();
    if (m_cb.closeProgressDialog)
        m_cb.closeProgressDialog();
    return status == Status::Ok ? Result::success() : Result::fail(status, m_detail);
}

TransferEngine::Step TransferEngine::Fail(Step step, const QString &why)
{
    m_detail = why;
    return step;
}

bool TransferEngine::PumpPasses(int n, int sleepMs)
{
    for (int i = 0; i < n; ++i) {
        if (m_cb.pump && m_cb.pump())
            return true;
        if (sleepMs > 0)
            m_clock.Sleep(sleepMs);
    }
    return false;
}

void TransferEngine::WriteByte(uint8_t b) { m_port.Write(&b, 1); }

void TransferEngine::ShowMessage(int id, const QString &detail)
{
    if (m_cb.showMessageWithDetail)
        m_cb.showMessageWithDetail(id, detail);
    else if (m_cb.showMessage)
        m_cb.showMessage(id);
}

bool TransferEngine::ReadAck() { return IsAck(m_port.Read(1).bytes); }

TransferEngine::Step TransferEngine::BlockAcknowledged(const char *block, int address)
{
    const ReadOutcome ack = m_port.Read(1);
    if (IsAck(ack.bytes))
        return Step::Next;
    // Both end the transfer the same way; the detail tells a radio that
    // kept quiet from a line that went away.
    if (!ack.ok)
        return Fail(Step::Interrupted,
                    QStringLiteral("the line failed (hang-up or unplugged cable) after the %1 block at %2")
                        .arg(QLatin1String(block), Hex(address)));
    return Fail(Step::Interrupted,
                QStringLiteral("no acknowledgement after the %1 block at %2").arg(QLatin1String(block), Hex(address)));
}

TransferEngine::Step TransferEngine::Handshake()
{
    m_attempts = 1;
    for (;;) {
        const Step step = HandshakeUntilPrompt();
        if (step != Step::Prompt)
            return step;
        const PromptAnswer answer = m_cb.commErrorPrompt ? m_cb.commErrorPrompt() : PromptAnswer::Cancel;
        if (answer == PromptAnswer::Cancel)
            return Step::CommError;
        m_attempts = 1;
    }
}

TransferEngine::Step TransferEngine::HandshakeUntilPrompt()
{
    for (;;) {
        if (PumpPasses(6, 1))
            return Fail(Step::Cancelled, QStringLiteral("cancelled during the handshake"));
        m_port.Purge(PurgeMode::All);
        for (uint8_t b : Proto::WakeUp) {
            m_clock.Sleep(2);
            m_port.Purge(PurgeMode::Clear);
            WriteByte(b);
        }
        if (WakeAcknowledged())
            return Identify();
        m_clock.Sleep(2);
        if (++m_attempts > kMaxAttempts)
            return Fail(Step::Prompt, QStringLiteral("no answer to the wake-up string in %1 attempts").arg(kMaxAttempts));
    }
}

// H4 and H5: the first reply byte may be noise; a second chance follows
// unless the port reported an error.
bool TransferEngine::WakeAcknowledged()
{
    const ReadOutcome first = m_port.Read(1);
    if (!first.ok)
        return false;
    if (IsAck(first.bytes))
        return true;
    const ReadOutcome second = m_port.Read(1);
    return second.ok && IsAck(second.bytes);
}

// H6 to H8.
TransferEngine::Step TransferEngine::Identify()
{
    m_clock.Sleep(1);
    m_port.Purge(PurgeMode::Clear);
    WriteByte(Proto::IdentRequest[0]);
    m_clock.Sleep(1);
    WriteByte(Proto::IdentRequest[1]);
    m_clock.Sleep(1);
    // The identification reply is read and not examined.
    if (!m_port.Read(Proto::IdentReplySize).ok)
        return Fail(Step::Prompt, QStringLiteral("the identification reply could not be read"));
    m_port.Purge(PurgeMode::Clear);
    WriteByte(Proto::Ack);
    m_port.Purge(PurgeMode::Clear);
    m_clock.Sleep(1);
    if (ReadAck())
        return Step::Next;
    const QString why = QStringLiteral("no acknowledgement at the end of the handshake (attempt %1)").arg(m_attempts);
    return Fail(m_attempts > kPromptLimit ? Step::Interrupted : Step::Prompt, why);
}

void TransferEngine::ReportBlock(int address, int done, int total)
{
    if (!m_cb.progress)
        return;
    if (address % 16 == 0)
        m_cb.progress->SetCounterText(QString::number(m_cb.progress->StepIt()));
    m_cb.progress->BlocksDone(done, total);
}

TransferEngine::Step TransferEngine::ReadLoop()
{
    MemoryImage incoming = m_image;
    for (int block = 0; block < Proto::ReadBlocks; ++block) {
        const int address = Proto::ReadRange.begin + block * Proto::BlockSize;
        const Step step = ReadBlock(address, incoming);
        if (step != Step::Next)
            return step;
        ReportBlock(address, block + 1, Proto::ReadBlocks);
        if (PumpPasses(9, 0))
            return Fail(Step::Cancelled, QStringLiteral("cancelled after the read block at %1").arg(Hex(address)));
    }
    m_image = incoming;
    return Step::Done;
}

TransferEngine::Step TransferEngine::ReadBlock(int address, MemoryImage &into)
{
    m_port.Purge(PurgeMode::Clear);
    const uint8_t request[Proto::RequestSize] = {Proto::ReadCmd, static_cast<uint8_t>(address >> 8),
                                                 static_cast<uint8_t>(address & 0xFF), Proto::BlockLen};
    m_port.Write(request, Proto::RequestSize);
    const ReadOutcome reply = m_port.Read(Proto::ReadReplySize);
    if (!reply.ok)
        return Fail(Step::Interrupted, QStringLiteral("the port failed while reading the block at %1").arg(Hex(address)));
    if (reply.bytes.size() < Proto::ReadReplySize)
        return Fail(Step::Interrupted, QStringLiteral("read reply at %1 has %2 of %3 bytes")
                                           .arg(Hex(address)).arg(reply.bytes.size()).arg(Proto::ReadReplySize));
    std::memcpy(into.data() + address, reply.bytes.constData() + (Proto::ReadReplySize - Proto::BlockSize),
                Proto::BlockSize);
    m_port.Purge(PurgeMode::Clear);
    WriteByte(Proto::Ack);
    return BlockAcknowledged("read", address);
}

TransferEngine::Step TransferEngine::WriteLoop()
{
    int done = 0;
    for (const Proto::Range &range : Proto::WriteRanges) {
        for (int address = range.begin; address < range.end; address += Proto::BlockSize) {
            const Step step = WriteBlock(address);
            if (step != Step::Next)
                return step;
            ReportBlock(address, ++done, Proto::WriteBlocks);
            if (PumpPasses(9, 0))
                return Fail(Step::Cancelled, QStringLiteral("cancelled after the write block at %1").arg(Hex(address)));
        }
    }
    return Step::Done;
}

TransferEngine::Step TransferEngine::WriteBlock(int address)
{
    uint8_t data[Proto::BlockSize];
    std::memcpy(data, m_image.data() + address, Proto::BlockSize);
    m_port.Purge(PurgeMode::Clear);
    m_writeBegun = true;
    const uint8_t request[Proto::RequestSize] = {Proto::WriteCmd, static_cast<uint8_t>(address >> 8),
                                                 static_cast<uint8_t>(address & 0xFF), Proto::BlockLen};
    m_port.Write(request, Proto::RequestSize);
    m_clock.Sleep(1);
    m_port.Write(data, Proto::BlockSize);
    return BlockAcknowledged("write", address);
}

} // namespace corvane
