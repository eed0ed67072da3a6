#pragma once
// A serial line whose far end is the fuzz input, and a clock that moves
// only when the transfer waits.
//
// Each read takes one control byte from the input: 0xFF makes the port
// report an error; any other value c delivers c mod (n + 1) of the n bytes
// asked for, taken from the input that follows. Past the end of the input
// the line is silent. A read that delivers fewer bytes than asked costs its
// whole timeout on the clock, so a silent radio takes the time it would.
//
// The port keeps a log of the blocks the transfer asked for, the bytes it
// sent or received for each, and whether the block's acknowledgement came,
// for the checks of the fuzz target.
#include "FuzzSupport.h"

#include "link/Clock.h"
#include "link/Protocol.h"
#include "link/SerialPort.h"

#include <vector>

namespace corvane::fuzz {

class FuzzClock : public Clock {
public:
    void Sleep(int ms) override { now += ms * 1000LL; }
    int64_t Now() const override { return now; }

    int64_t now = 0;
};

class FuzzPort : public SerialPort {
public:
    struct Block {
        uint8_t command = 0; // Proto::ReadCmd or Proto::WriteCmd
        int address = 0;
        QByteArray data;     // the read reply, or the written data
        bool acked = false;  // the radio's 0x06 followed the block
    };

    FuzzPort(InputReader &input, FuzzClock &clock) : m_in(input), m_clock(clock) {}

    Result Open(const QString &) override
    {
        if (failOpen)
            return Result::fail(Status::PortError, QStringLiteral("refused by the fuzz input"));
        isOpen = true;
        return Result::success();
    }
    void SetupComm(int, int) override {}
    void SetTimeouts(const CommTimeouts &) override {}
    void SetLineSettings(const LineSettings &) override {}
    void Purge(PurgeMode) override {}
    void Write(const uint8_t *data, int n) override
    {
        FUZZ_CHECK(isOpen);
        m_clock.now += 1000LL * n; // about 1 ms a byte at 9600 baud
        if (n == Proto::RequestSize && (data[0] == Proto::ReadCmd || data[0] == Proto::WriteCmd)
            && data[3] == Proto::BlockLen)
            blocks.push_back({data[0], (data[1] << 8) | data[2], {}, false});
        else if (n == Proto::BlockSize && !blocks.empty() && blocks.back().command == Proto::WriteCmd)
            blocks.back().data = QByteArray(reinterpret_cast<const char *>(data), n);
    }
    ReadOutcome Read(int n) override
    {
        FUZZ_CHECK(isOpen);
        // Far more reads than any transfer makes: the engine does not end.
        FUZZ_CHECK(++reads < 20000);
        const uint8_t control = m_in.Byte();
        ReadOutcome out;
        if (control == 0xFF)
            out.ok = false;
        else
            out.bytes = m_in.Bytes(control % (n + 1));
        if (out.bytes.size() < n)
            m_clock.now += CommTimeouts{}.readTotal(n) * 1000LL;
        Record(n, out);
        return out;
    }
    void Close() override
    {
        isOpen = false;
        ++closes;
    }

    bool failOpen = false;
    bool isOpen = false;
    int reads = 0;
    int closes = 0;
    std::vector<Block> blocks;

private:
    void Record(int n, const ReadOutcome &out)
    {
        if (blocks.empty() || !out.ok)
            return;
        Block &b = blocks.back();
        if (n == Proto::ReadReplySize && b.command == Proto::ReadCmd)
            b.data = out.bytes;
        else if (n == 1 && out.bytes == QByteArray(1, static_cast<char>(Proto::Ack)))
            b.acked = b.data.size() == (b.command == Proto::ReadCmd ? Proto::ReadReplySize : Proto::BlockSize);
    }

    InputReader &m_in;
    FuzzClock &m_clock;
};

} // namespace corvane::fuzz
