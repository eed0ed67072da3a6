// The block loops of a transfer: what goes on the wire, what reaches the
// image or the radio, progress, and every way a loop can end early.
#include "TransferRig.h"

#include "link/LoggingPort.h"
#include "link/WriteCompare.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace {

std::vector<int> Addresses(int begin, int end)
{
    std::vector<int> out;
    for (int a = begin; a < end; a += 8)
        out.push_back(a);
    return out;
}

TEST(ReadLoop, FullReadMovesTheWholeImage)
{
    TransferRig rig(PatternImage(3));
    ASSERT_TRUE(rig.Run(false).ok());
    EXPECT_EQ(rig.image, PatternImage(3));
    EXPECT_EQ(rig.port.RequestAddresses(Proto::ReadCmd), Addresses(0x0000, 0x2000));
    EXPECT_EQ(rig.progress.range, 512);
    EXPECT_EQ(rig.progress.pos, 512);
    EXPECT_EQ(rig.progress.counter, QStringLiteral("512"));
    EXPECT_EQ(std::make_pair(rig.progress.done, rig.progress.total), std::make_pair(1024, 1024));
    EXPECT_EQ(rig.passes, 6 + 1024 * 9);
    EXPECT_EQ(rig.port.Count("write 06"), 1 + 1024); // the handshake's and one per block
    EXPECT_EQ(rig.port.writes.at(10), QByteArray::fromHex("52000008"));
    EXPECT_EQ(rig.port.writes.back(), QByteArray::fromHex("06"));
    EXPECT_EQ(rig.port.writes.at(rig.port.writes.size() - 2), QByteArray::fromHex("521FF808"));
}

TEST(ReadLoop, OnlyReplyBytesFourToElevenReachTheImage)
{
    TransferRig rig(PatternImage(5));
    auto radio = rig.port.responder;
    rig.port.responder = [&](const QByteArray &w) {
        QByteArray reply = radio(w);
        if (reply.size() == 12)
            reply.replace(0, 4, QByteArray("\xAA\x55\x00\xFF", 4));
        return reply;
    };
    ASSERT_TRUE(rig.Run(false).ok());
    EXPECT_EQ(rig.image, PatternImage(5));
}

TEST(WriteLoop, SendsTheTwoSegmentsOnly)
{
    const MemoryImage before = PatternImage(1), sent = PatternImage(2);
    TransferRig rig(before);
    rig.image = sent;
    ASSERT_TRUE(rig.Run(true).ok());

    std::vector<int> expected = Addresses(0x0000, 0x0640);
    const std::vector<int> second = Addresses(0x0960, 0x1FF0);
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(rig.port.RequestAddresses(Proto::WriteCmd), expected);
    EXPECT_EQ(expected.size(), 922u);
    EXPECT_EQ(rig.progress.range, 461);
    EXPECT_EQ(rig.progress.pos, 461);
    EXPECT_EQ(rig.progress.counter, QStringLiteral("461"));
    EXPECT_EQ(std::make_pair(rig.progress.done, rig.progress.total), std::make_pair(922, 922));
    for (int offset = 0; offset < kImageSize; ++offset) {
        const uint8_t want = Proto::WriteSends(offset) ? sent[offset] : before[offset];
        ASSERT_EQ(rig.radio.Memory()[offset], want) << "offset " << offset;
    }
    EXPECT_EQ(rig.image, sent); // a write leaves the image alone
}

// A verify compares exactly the bytes a write sends, to the last of each range.
TEST(WriteLoop, VerifyComparesTheSentBytesOnly)
{
    const MemoryImage sent = PatternImage(1);
    const std::vector<std::pair<int, bool>> edges{{0x0000, true}, {0x063F, true}, {0x0640, false}, {0x095F, false},
                                                  {0x0960, true}, {0x1FEF, true}, {0x1FF0, false}, {0x1FFF, false}};
    for (const auto &[offset, compared] : edges) {
        MemoryImage radio = sent;
        radio[offset] ^= 0xFF;
        EXPECT_EQ(WriteDifferences(sent, radio), compared ? std::vector<int>{offset} : std::vector<int>{}) << offset;
    }
}

TEST(WriteLoop, RequestHeaderPauseThenData)
{
    TransferRig rig;
    rig.image = PatternImage(4);
    ASSERT_TRUE(rig.Run(true).ok());
    const auto header = std::find(rig.events.begin(), rig.events.end(), "write 57 1F E8 08");
    ASSERT_NE(header, rig.events.end());
    const QByteArray data(reinterpret_cast<const char *>(PatternImage(4).data() + 0x1FE8), 8);
    EXPECT_EQ(std::vector<std::string>(header - 1, header + 4),
              (std::vector<std::string>{"purge clear", "write 57 1F E8 08", "sleep 1",
                                        "write " + data.toHex(' ').toUpper().toStdString(), "read 1"}));
    // After the seven wake-up bytes, 'M', 0x02 and the handshake's 0x06.
    EXPECT_EQ(rig.port.writes.at(10), QByteArray::fromHex("57000008"));
}

// How a loop ends when the radio or the line misbehaves mid-transfer.
struct FailureCase {
    const char *name;
    bool write;
    RadioFaults faults;
    int lastRequest; // address of the last request sent
};

RadioFaults Fault(int RadioFaults::*field, int address)
{
    RadioFaults f;
    f.*field = address;
    return f;
}

class LoopFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(LoopFailure, InterruptsAndKeepsTheImage)
{
    const FailureCase &c = GetParam();
    TransferRig rig(PatternImage(7), c.faults);
    const MemoryImage before = PatternImage(9);
    rig.image = before;
    const Result r = rig.Run(c.write);
    EXPECT_EQ(r.status, Status::Interrupted);
    EXPECT_FALSE(r.text.isEmpty());
    const std::vector<int> sent = rig.port.RequestAddresses(c.write ? Proto::WriteCmd : Proto::ReadCmd);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back(), c.lastRequest);
    EXPECT_EQ(rig.image, before);
    EXPECT_TRUE(rig.newDocument);
    const auto m = rig.Milestones();
    EXPECT_EQ(std::vector<std::string>(m.end() - 3, m.end()),
              (std::vector<std::string>{"message 61454", "close", "closeProgressDialog"}));
    EXPECT_EQ(std::count(m.begin(), m.end(), "refreshFromImage"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LoopFailure,
    ::testing::Values(FailureCase{"ShortReply", false, Fault(&RadioFaults::shortReply, 0x0C90), 0x0C90},
                      FailureCase{"ReadAckMissingFirst", false, Fault(&RadioFaults::noAck, 0x0000), 0x0000},
                      FailureCase{"ReadAckMissingLast", false, Fault(&RadioFaults::noAck, 0x1FF8), 0x1FF8},
                      FailureCase{"ReadHangup", false, Fault(&RadioFaults::hangup, 0x0800), 0x0800},
                      FailureCase{"WriteAckMissingFirst", true, Fault(&RadioFaults::noAck, 0x0000), 0x0000},
                      FailureCase{"WriteAckMissingSecondSegment", true, Fault(&RadioFaults::noAck, 0x0960), 0x0960},
                      FailureCase{"WriteAckMissingLast", true, Fault(&RadioFaults::noAck, 0x1FE8), 0x1FE8}),
    [](const ::testing::TestParamInfo<FailureCase> &i) { return std::string(i.param.name); });

TEST(ReadLoopFailure, ElevenCorrectBytesAreNotEnough)
{
    TransferRig rig(PatternImage(2));
    auto radio = rig.port.responder;
    rig.port.responder = [&](const QByteArray &w) {
        QByteArray reply = radio(w);
        return reply.size() == 12 && w == QByteArray::fromHex("52010008") ? reply.left(11) : reply;
    };
    EXPECT_EQ(rig.Run(false).status, Status::Interrupted);
    EXPECT_EQ(rig.port.RequestAddresses(Proto::ReadCmd).back(), 0x0100);
}

TEST(ReadLoopFailure, PortErrorOnTheReplyRead)
{
    TransferRig rig(PatternImage(2));
    rig.port.readError = [](int n, int) { return n == 12; };
    EXPECT_EQ(rig.Run(false).status, Status::Interrupted);
    EXPECT_EQ(rig.port.RequestAddresses(Proto::ReadCmd).size(), 1u);
    EXPECT_EQ(rig.port.Count("message 61454"), 1);
}

// A line that goes away is told apart from a radio that keeps quiet, so a
// report can say which of the two happened.
TEST(LoopFailure, LostLineAndMissingAckAreNamed)
{
    for (const bool write : {false, true}) {
        TransferRig quiet(PatternImage(2), Fault(&RadioFaults::noAck, 0x0010));
        EXPECT_EQ(quiet.Run(write).text.toStdString(),
                  std::string("no acknowledgement after the ") + (write ? "write" : "read") + " block at 0x0010");
        TransferRig lost(PatternImage(2));
        // Reads 1-3 belong to the handshake; read 5 is a block acknowledgement either way.
        lost.port.readError = [](int n, int index) { return n == 1 && index == 5; };
        const Result r = lost.Run(write);
        EXPECT_EQ(r.status, Status::Interrupted);
        EXPECT_TRUE(r.text.startsWith("the line failed")) << r.text.toStdString();
    }
}

TEST(WriteLoopFailure, RadioHoldsTheBlocksWrittenSoFar)
{
    const MemoryImage before = PatternImage(1), sent = PatternImage(2);
    TransferRig rig(before, Fault(&RadioFaults::noAck, 0x0100));
    rig.image = sent;
    EXPECT_EQ(rig.Run(true).status, Status::Interrupted);
    for (int offset = 0; offset < kImageSize; ++offset) {
        const uint8_t want = offset < 0x0108 ? sent[offset] : before[offset];
        ASSERT_EQ(rig.radio.Memory()[offset], want) << "offset " << offset;
    }
}

struct LoopCancelCase {
    const char *name;
    bool write;
    int blocks; // blocks acknowledged before the cancel is seen
    int pass;   // pass of the nine after that block
};

class LoopCancel : public ::testing::TestWithParam<LoopCancelCase> {};

TEST_P(LoopCancel, EndsWithinOnePassAndKeepsTheImage)
{
    const LoopCancelCase &c = GetParam();
    TransferRig rig(PatternImage(1));
    const MemoryImage before = PatternImage(2);
    rig.image = before;
    rig.cancelAtPass = 6 + (c.blocks - 1) * 9 + c.pass;
    EXPECT_EQ(rig.Run(c.write).status, Status::Cancelled);
    EXPECT_EQ(rig.Tail(rig.eventsAtCancel), (std::vector<std::string>{"close", "closeProgressDialog"}));
    EXPECT_EQ(rig.port.RequestAddresses(c.write ? Proto::WriteCmd : Proto::ReadCmd).size(),
              static_cast<std::size_t>(c.blocks));
    EXPECT_EQ(rig.image, before);
    EXPECT_TRUE(rig.newDocument);
}

INSTANTIATE_TEST_SUITE_P(Passes, LoopCancel,
                         ::testing::Values(LoopCancelCase{"ReadFirstPass", false, 1, 1},
                                           LoopCancelCase{"ReadMidway", false, 500, 5},
                                           LoopCancelCase{"ReadLastBlock", false, 1024, 9},
                                           LoopCancelCase{"WriteFirstPass", true, 1, 1},
                                           LoopCancelCase{"WriteSecondSegment", true, 201, 9}),
                         [](const ::testing::TestParamInfo<LoopCancelCase> &i) { return std::string(i.param.name); });

TEST(TransferLog, EveryByteWithTimeAndDirection)
{
    TransferRig rig(PatternImage(1), Fault(&RadioFaults::shortReply, 0x0000));
    QBuffer log;
    log.open(QIODevice::WriteOnly);
    LoggingPort logged(rig.port, rig.clock, log);
    TransferEngine engine(logged, rig.clock, rig.image, rig.Callbacks());
    EXPECT_EQ(engine.Run(QStringLiteral("/dev/pts/9")).status, Status::Interrupted);
    const QList<QByteArray> lines = log.data().split('\n');
    EXPECT_EQ(lines.first(), "   0.000000 open /dev/pts/9: ok");
    EXPECT_TRUE(log.data().contains(" > 52 00 00 08\n"));
    EXPECT_TRUE(log.data().contains(" < 06\n"));
    EXPECT_TRUE(log.data().contains(" < 57 00 00 08 " + LoggingPort::HexBytes(QByteArray(
                                         reinterpret_cast<const char *>(PatternImage(1).data()), 7)) + " (timeout, 11 of 12)\n"));
    EXPECT_TRUE(lines.contains("   0.006000 purge all"));
    EXPECT_EQ(lines[lines.size() - 2].mid(12), "close");
}

} // namespace
