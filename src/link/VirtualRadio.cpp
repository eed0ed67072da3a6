#include "link/VirtualRadio.h"

#include "link/Protocol.h"

#include <cstring>

namespace corvane {

namespace {
bool ParseNumber(const QString &text, int &out)
{
    bool ok = false;
    const int v = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? text.mid(2).toInt(&ok, 16)
                                                                            : text.toInt(&ok, 10);
    if (ok)
        out = v;
    return ok && v >= 0;
}
} // namespace

bool RadioFaults::Parse(const QString &text, QString *error)
{
    const QString name = text.section(QLatin1Char('='), 0, 0);
    const QString value = text.section(QLatin1Char('='), 1);
    const bool hasValue = text.contains(QLatin1Char('='));
    bool *flag = name == QLatin1String("silent")         ? &silent
                 : name == QLatin1String("no-final-ack") ? &noFinalAck
                                                         : nullptr;
    if (flag && !hasValue) {
        *flag = true;
        return true;
    }
    int *target = name == QLatin1String("first-byte")    ? &firstByte
                  : name == QLatin1String("short-reply") ? &shortReply
                  : name == QLatin1String("no-ack")      ? &noAck
                  : name == QLatin1String("hangup")      ? &hangup
                  : name == QLatin1String("drop-write")  ? &dropWrite
                                                         : nullptr;
    int number = 0;
    const int limit = target == &firstByte ? 0xFF : kImageSize - 1;
    if (target && hasValue && ParseNumber(value, number) && number <= limit) {
        *target = number;
        return true;
    }
    if (error)
        *error = QStringLiteral("unknown fault '%1'").arg(text);
    return false;
}

const QByteArray &VirtualRadio::Identification()
{
    static const QByteArray id("VRADIO01", Proto::IdentReplySize);
    return id;
}

VirtualRadio::VirtualRadio(const MemoryImage &memory, const RadioFaults &faults) : m_memory(memory), m_faults(faults) {}

VirtualRadio::Reply VirtualRadio::Feed(uint8_t byte)
{
    if (m_hungUp)
        return {};
    if (!m_request.isEmpty()) {
        m_request.append(static_cast<char>(byte));
        return Request();
    }
    if (m_wakePos > 0) {
        if (byte == Proto::WakeUp[static_cast<std::size_t>(m_wakePos)]) {
            if (++m_wakePos == static_cast<int>(Proto::WakeUp.size()))
                return WakeUpDone();
            return {};
        }
        m_wakePos = 0;
    }
    if (m_state == State::Woken && byte == Proto::IdentRequest[0]) {
        m_sawIdentM = true;
        return {};
    }
    if (m_state == State::Woken && byte == Proto::IdentRequest[1] && m_sawIdentM) {
        m_state = State::Identified;
        return {m_faults.silent ? QByteArray() : Identification(), ReplyKind::Handshake};
    }
    m_sawIdentM = false;
    if (m_state == State::Identified && byte == Proto::Ack) {
        m_state = State::Session;
        const bool answer = !m_faults.silent && !m_faults.noFinalAck;
        return {answer ? QByteArray(1, Proto::Ack) : QByteArray(), ReplyKind::Handshake};
    }
    if (m_state == State::Session)
        return SessionByte(byte);
    if (byte == Proto::WakeUp[0])
        m_wakePos = 1;
    return {};
}

VirtualRadio::Reply VirtualRadio::WakeUpDone()
{
    m_wakePos = 0;
    m_state = State::Woken;
    m_sawIdentM = false;
    m_ackAddress = -1;
    if (m_faults.silent)
        return {};
    QByteArray reply;
    if (m_faults.firstByte >= 0)
        reply.append(static_cast<char>(m_faults.firstByte));
    reply.append(static_cast<char>(Proto::Ack));
    return {reply, ReplyKind::Handshake};
}

VirtualRadio::Reply VirtualRadio::SessionByte(uint8_t byte)
{
    if (byte == Proto::ReadCmd || byte == Proto::WriteCmd) {
        m_ackAddress = -1;
        m_request = QByteArray(1, static_cast<char>(byte));
        return {};
    }
    if (byte == Proto::Ack && m_ackAddress >= 0) {
        const int address = m_ackAddress;
        m_ackAddress = -1;
        const bool answer = !m_faults.silent && address != m_faults.noAck;
        return {answer ? QByteArray(1, Proto::Ack) : QByteArray(), ReplyKind::Block};
    }
    if (byte == Proto::WakeUp[0])
        m_wakePos = 1;
    return {};
}

VirtualRadio::Reply VirtualRadio::Request()
{
    const bool write = static_cast<uint8_t>(m_request[0]) == Proto::WriteCmd;
    const int needed = Proto::RequestSize + (write ? Proto::BlockSize : 0);
    if (m_request.size() < needed)
        return {};
    const auto *r = reinterpret_cast<const uint8_t *>(m_request.constData());
    const int address = (r[1] << 8) | r[2];
    const bool valid = r[3] == Proto::BlockLen && address % Proto::BlockSize == 0
                       && address + Proto::BlockSize <= kImageSize;
    if (address == m_faults.hangup) {
        m_hungUp = true;
        m_request.clear();
        return {};
    }
    Reply reply;
    if (valid)
        reply = write ? WriteRequest(address) : ReadRequest(address);
    m_request.clear();
    return reply;
}

VirtualRadio::Reply VirtualRadio::ReadRequest(int address)
{
    ++m_blocksRead;
    m_ackAddress = address;
    if (m_faults.silent)
        return {};
    QByteArray reply = m_request;
    reply[0] = static_cast<char>(Proto::WriteCmd);
    reply.append(reinterpret_cast<const char *>(m_memory.data() + address), Proto::BlockSize);
    if (address == m_faults.shortReply)
        reply.chop(1);
    return {reply, ReplyKind::Block};
}

VirtualRadio::Reply VirtualRadio::WriteRequest(int address)
{
    ++m_blocksWritten;
    if (address != m_faults.dropWrite)
        std::memcpy(m_memory.data() + address, m_request.constData() + Proto::RequestSize, Proto::BlockSize);
    const bool answer = !m_faults.silent && address != m_faults.noAck;
    return {answer ? QByteArray(1, Proto::Ack) : QByteArray(), ReplyKind::Block};
}

} // namespace corvane
