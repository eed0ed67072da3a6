#pragma once
// The radio's side of the serial protocol as a state machine on bytes,
// with switches that make it misbehave the ways real radios and cables do.
// It knows nothing of time or devices: RadioSimulator feeds it the bytes of
// a line and sends its replies.
//
// Behaviour: the wake-up string 0x02 "PROGRA" (accepted in any state, so a
// new handshake always starts over) is answered 0x06; 'M' 0x02 then gets an
// 8-byte identification; the program's 0x06 then gets 0x06 and the radio
// takes requests. 'R' hi lo 0x08 is answered 'W' hi lo 0x08 + the 8 bytes,
// and the program's 0x06 after it with 0x06. 'W' hi lo 0x08 + 8 bytes is
// stored and answered 0x06. Requests for blocks outside the memory, not
// 8-byte aligned or with a length other than 8 get no answer.
#include "image/MemoryImage.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace corvane {

struct RadioFaults {
    bool silent = false;      // answers nothing at all
    int firstByte = -1;       // this byte goes out before the wake-up's 0x06
    int shortReply = -1;      // the read reply for this address lacks its last byte
    int noAck = -1;           // no 0x06 after the block at this address
    bool noFinalAck = false;  // the handshake's last 0x06 is not answered
    int hangup = -1;          // the line hangs up when this address is requested
    int dropWrite = -1;       // the write block for this address is acknowledged, not stored

    // Adds one switch: "silent", "first-byte=0x15", "short-reply=0x0C90",
    // "no-ack=0x0100", "no-final-ack", "hangup=0x0800", "drop-write=0x0100".
    // Numbers in decimal or 0x hex. False with the reason in *error for anything else.
    bool Parse(const QString &text, QString *error);
};

class VirtualRadio {
public:
    enum class ReplyKind { None, Handshake, Block };
    struct Reply {
        QByteArray bytes;
        ReplyKind kind = ReplyKind::None;
    };

    explicit VirtualRadio(const MemoryImage &memory, const RadioFaults &faults = {});

    // Takes one byte from the line and returns what the radio sends back.
    Reply Feed(uint8_t byte);

    bool HungUp() const { return m_hungUp; }
    bool InSession() const { return m_state == State::Session; }
    const MemoryImage &Memory() const { return m_memory; }
    int BlocksRead() const { return m_blocksRead; }
    int BlocksWritten() const { return m_blocksWritten; }

    static const QByteArray &Identification();

private:
    enum class State { Idle, Woken, Identified, Session };

    Reply WakeUpDone();
    Reply SessionByte(uint8_t byte);
    Reply Request();
    Reply ReadRequest(int address);
    Reply WriteRequest(int address);

    MemoryImage m_memory;
    RadioFaults m_faults;
    State m_state = State::Idle;
    int m_wakePos = 0;       // bytes of the wake-up string matched so far
    bool m_sawIdentM = false;
    QByteArray m_request;    // a read or write request being collected
    int m_ackAddress = -1;   // read block whose acknowledgement is due
    bool m_hungUp = false;
    int m_blocksRead = 0;
    int m_blocksWritten = 0;
};

} // namespace corvane
