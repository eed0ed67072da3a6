#pragma once
// The fault soak's transfers, drawn from one seed, and what each must end
// as, worked out from the order in which blocks move, not with the program's code.
#include "cli/CliContext.h"
#include "image/MemoryImage.h"
#include "link/VirtualRadio.h"

#include <QString>
#include <array>
#include <cstring>
#include <random>
#include <vector>

namespace corvane::test {

enum class SoakOp { Read, Write, WriteVerify };
enum class SoakFault { None, Silent, FirstByte, ShortReply, NoAck, NoFinalAck, Hangup, DropWrite, Cancel };
constexpr int kSoakFaults = 9;

struct SoakCase {
    int index = 0;
    SoakOp op = SoakOp::Read;
    SoakFault fault = SoakFault::None;
    int address = 0;          // the block of short-reply, no-ack, hangup, drop-write
    int firstByte = 0;        // sent before the wake-up's 0x06
    int cancelAfter = 0;      // Ctrl+C once the radio has taken this many requests
    bool outputExists = false; // a read's output file is there before
    MemoryImage radio;        // the radio's memory before
    MemoryImage image;        // what a write sends; differs from radio in every byte
    MemoryImage older;        // the older output file of a read

    bool Writes() const { return op != SoakOp::Read; }
    // The fault as corvane-cli simulate --fault spells it; empty for none.
    QString FaultWord() const
    {
        static const char *const words[] = {"", "silent", "first-byte=", "short-reply=", "no-ack=",
                                            "no-final-ack", "hangup=", "drop-write=", ""};
        QString w = QLatin1String(words[int(fault)]);
        if (w.endsWith(QLatin1Char('=')))
            w += fault == SoakFault::FirstByte ? Hex(firstByte, 2) : Hex(address, 4);
        return w;
    }
    QString Describe() const
    {
        static const char *const ops[] = {"read", "write", "write --verify"};
        return QLatin1String(ops[int(op)]) + QStringLiteral(", ") +
               (fault == SoakFault::Cancel ? QStringLiteral("Ctrl+C after request %1").arg(cancelAfter)
                : fault == SoakFault::None ? QStringLiteral("no fault")
                                           : FaultWord());
    }
    static QString Hex(int v, int width)
    {
        return QStringLiteral("0x") + QString::number(v, 16).toUpper().rightJustified(width, QLatin1Char('0'));
    }
};

// The blocks a write sends, in the order it sends them: records 0-99, then
// from 0x0960 up to the last 16 bytes.
inline std::vector<int> WriteOrder()
{
    std::vector<int> out;
    for (const auto &[begin, end] : {std::pair{0x0000, 0x0640}, std::pair{0x0960, 0x1FF0}})
        for (int a = begin; a < end; a += 8)
            out.push_back(a);
    return out;
}

// Blocks at the edges of the ranges a write skips, where an off-by-one
// shows; a quarter of the faulted blocks are drawn from these.
constexpr std::array<int, 9> kEdgeBlocks{0x0000, 0x0008, 0x0638, 0x0640, 0x0958, 0x0960, 0x1FE8, 0x1FF0, 0x1FF8};

inline std::vector<SoakCase> DrawSoak(uint64_t seed, int count)
{
    std::mt19937_64 rng(seed);
    const auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<uint64_t>(n)); };
    const auto fill = [&rng](MemoryImage &m) {
        for (int i = 0; i < kImageSize; i += 8) {
            const uint64_t v = rng();
            std::memcpy(m.data() + i, &v, 8);
        }
    };
    std::vector<SoakCase> cases(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        SoakCase &c = cases[std::size_t(i)];
        c.index = i;
        c.op = SoakOp(pick(3));
        c.fault = SoakFault(pick(kSoakFaults));
        c.address = pick(4) == 0 ? kEdgeBlocks[std::size_t(pick(int(kEdgeBlocks.size())))] : pick(kImageSize / 8) * 8;
        c.firstByte = pick(256);
        c.cancelAfter = 1 + pick(48);
        c.outputExists = pick(2) == 1;
        fill(c.radio);
        fill(c.older);
        for (int b = 0; b < kImageSize; ++b)
            c.image[b] = static_cast<uint8_t>(c.radio[b] ^ (1 + pick(255)));
    }
    return cases;
}

struct SoakExpect {
    int status = Exit::Ok;
    int failAddress = -1;      // the block an interrupted transfer must name
    MemoryImage radio;         // the radio's memory afterwards (not for Ctrl+C)
    int mismatchBytes = 0;     // bytes a verify must find different
    bool partlyWritten = false; // a write stopped after its first block went out
};

inline SoakExpect Expect(const SoakCase &c)
{
    SoakExpect e;
    e.radio = c.radio;
    if (c.fault == SoakFault::Silent || c.fault == SoakFault::NoFinalAck) {
        e.status = Exit::Comm; // the prompt, answered Cancel
        return e;
    }
    if (c.fault == SoakFault::Cancel) {
        e.status = Exit::Cancelled;
        e.partlyWritten = c.Writes(); // Ctrl+C comes within the first blocks a write sends
        return e;
    }
    const auto interrupted = [&e](int address) {
        e.status = Exit::Interrupted;
        e.failAddress = address;
        return e;
    };
    const auto hit = [&c](SoakFault f, int address) { return c.fault == f && c.address == address; };
    if (c.Writes()) {
        e.partlyWritten = true; // until the write has ended
        for (int a : WriteOrder()) {
            if (hit(SoakFault::Hangup, a))
                return interrupted(a); // the line goes before the block is stored
            if (!hit(SoakFault::DropWrite, a))
                std::memcpy(e.radio.data() + a, c.image.data() + a, 8);
            if (hit(SoakFault::NoAck, a))
                return interrupted(a); // stored, then not acknowledged
        }
        e.partlyWritten = false;
        if (c.op == SoakOp::Write)
            return e;
    }
    // A read requests every block, so each of these faults is met.
    if (c.fault == SoakFault::ShortReply || c.fault == SoakFault::NoAck || c.fault == SoakFault::Hangup)
        return interrupted(c.address);
    if (c.op == SoakOp::WriteVerify) {
        for (int a : WriteOrder())
            for (int k = 0; k < 8; ++k)
                e.mismatchBytes += e.radio[a + k] != c.image[a + k] ? 1 : 0;
        e.status = e.mismatchBytes > 0 ? Exit::Interrupted : Exit::Ok;
    }
    return e;
}

// How many blocks of the write order the radio holds from image, when it
// holds image over exactly a first part of that order and its old memory
// everywhere else; -1 when it holds anything else.
inline int WrittenPrefix(const SoakCase &c, const MemoryImage &after)
{
    const std::vector<int> order = WriteOrder();
    MemoryImage expect = c.radio;
    std::size_t n = 0;
    while (n < order.size() && std::memcmp(after.data() + order[n], c.image.data() + order[n], 8) == 0) {
        std::memcpy(expect.data() + order[n], c.image.data() + order[n], 8);
        ++n;
    }
    return after == expect ? static_cast<int>(n) : -1;
}

} // namespace corvane::test
