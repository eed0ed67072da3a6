// The block loops of a transfer: what goes on the wire, what reaches the
// image or the radio, progress, and every way a transfer can end early.
#include "TransferRig.h"

#include "link/WriteCompare.h"

using namespace corvane;
using namespace corvane::test;

namespace {

using Events = std::vector<std::string>;

TEST(ReadLoop, FullReadMovesBytesFourToElevenOfEachReply)
{
    TransferRig rig(PatternImage(3));
    auto radio = rig.port.responder;
    rig.port.responder = [&](const QByteArray &w) {
        QByteArray reply = radio(w);
        if (reply.size() == 12)
            reply.replace(0, 4, QByteArray("\xAA\x55\x00\xFF", 4));
        return reply;
    };
    ASSERT_TRUE(rig.Run(false).ok());
    EXPECT_EQ(rig.image, PatternImage(3));
    EXPECT_EQ(rig.passes, 6 + 1024 * 9);
    EXPECT_EQ(rig.port.Count("write 06"), 1 + 1024); // the handshake's and one per block
    EXPECT_EQ(rig.port.writes.back(), QByteArray::fromHex("06"));
}

TEST(WriteLoop, EachBlockAsHeaderPauseData)
{
    const MemoryImage sent = PatternImage(2);
    TransferRig rig(PatternImage(1));
    rig.image = sent;
    ASSERT_TRUE(rig.Run(true).ok());
    const auto header = std::find(rig.events.begin(), rig.events.end(), "write 57 1F E8 08");
    ASSERT_NE(header, rig.events.end());
    const QByteArray data(reinterpret_cast<const char *>(sent.data() + 0x1FE8), 8);
    EXPECT_EQ(Events(header - 1, header + 4), (Events{"purge clear", "write 57 1F E8 08", "sleep 1",
                                                      "write " + data.toHex(' ').toUpper().toStdString(), "read 1"}));
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

// How a loop ends when the radio or the line misbehaves mid-transfer; a
// line that goes away is told apart from a radio that keeps quiet.
struct FailureCase {
    const char *name;
    bool write;
    const char *fault;                          // as corvane-cli simulate spells it
    std::function<bool(int n, int index)> lost; // reads the line fails
    int lastRequest;                            // address of the last request sent
    const char *text;
};

class LoopFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(LoopFailure, InterruptsAndNamesTheBlock)
{
    const FailureCase &c = GetParam();
    RadioFaults faults;
    ASSERT_TRUE(!*c.fault || faults.Parse(QString::fromLatin1(c.fault), nullptr));
    TransferRig rig(PatternImage(7), faults);
    rig.port.readError = c.lost;
    const Result r = rig.Run(c.write);
    EXPECT_EQ(r.status, Status::Interrupted);
    EXPECT_EQ(r.text.toStdString(), c.text);
    const std::vector<int> sent = rig.port.RequestAddresses(c.write ? Proto::WriteCmd : Proto::ReadCmd);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back(), c.lastRequest);
    const Events m = rig.Milestones();
    EXPECT_EQ(Events(m.end() - 4, m.end()), (Events{"open com1", "message 61454", "close", "closeProgressDialog"}));
}

// Reads 1-3 belong to the handshake; read 5 is a block acknowledgement.
bool LostAck(int n, int index) { return n == 1 && index == 5; }
bool LostReply(int n, int) { return n == 12; }

INSTANTIATE_TEST_SUITE_P(
    Table, LoopFailure,
    ::testing::Values(
        FailureCase{"ShortReply", false, "short-reply=0x0C90", nullptr, 0x0C90, "read reply at 0x0C90 has 11 of 12 bytes"},
        FailureCase{"ReadHangup", false, "hangup=0X0800", nullptr, 0x0800, "read reply at 0x0800 has 0 of 12 bytes"},
        FailureCase{"ReadAckMissingFirst", false, "no-ack=0", nullptr, 0x0000,
                    "no acknowledgement after the read block at 0x0000"},
        FailureCase{"ReadAckMissingLast", false, "no-ack=0x1FF8", nullptr, 0x1FF8,
                    "no acknowledgement after the read block at 0x1FF8"},
        FailureCase{"WriteAckMissingSecondRange", true, "no-ack=0x0960", nullptr, 0x0960,
                    "no acknowledgement after the write block at 0x0960"},
        FailureCase{"ReadLineLostAtAck", false, "", LostAck, 0x0000,
                    "the line failed (hang-up or unplugged cable) after the read block at 0x0000"},
        FailureCase{"WriteLineLostAtAck", true, "", LostAck, 0x0008,
                    "the line failed (hang-up or unplugged cable) after the write block at 0x0008"},
        FailureCase{"ReadLineLostAtReply", false, "", LostReply, 0x0000,
                    "the port failed while reading the block at 0x0000"}),
    [](const ::testing::TestParamInfo<FailureCase> &i) { return std::string(i.param.name); });

// Cancel is seen at a pump pass: in the handshake (no block yet), or
// after a block has been acknowledged.
struct CancelCase {
    const char *name;
    bool write;
    bool silent;
    int blocks; // blocks acknowledged before the cancel is seen
    int pass;   // pass of the handshake, or of the nine after that block
};

class Cancel : public ::testing::TestWithParam<CancelCase> {};

TEST_P(Cancel, EndsWithinOnePassWithoutMessage)
{
    const CancelCase &c = GetParam();
    RadioFaults faults;
    faults.silent = c.silent;
    TransferRig rig(PatternImage(1), faults);
    rig.cancelAtPass = c.blocks == 0 ? c.pass : 6 + (c.blocks - 1) * 9 + c.pass;
    EXPECT_EQ(rig.Run(c.write).status, Status::Cancelled);
    EXPECT_EQ(Events(rig.events.begin() + std::ptrdiff_t(rig.eventsAtCancel), rig.events.end()),
              (Events{"close", "closeProgressDialog"}));
    EXPECT_EQ(rig.port.RequestAddresses(c.write ? Proto::WriteCmd : Proto::ReadCmd).size(),
              static_cast<std::size_t>(c.blocks));
    EXPECT_EQ(rig.prompts, 0);
}

INSTANTIATE_TEST_SUITE_P(Passes, Cancel,
                         ::testing::Values(CancelCase{"HandshakeFirstPass", false, false, 0, 1},
                                           CancelCase{"HandshakeSixthPass", false, false, 0, 6},
                                           CancelCase{"HandshakeSecondAttempt", false, true, 0, 9},
                                           CancelCase{"HandshakeLastAttempt", false, true, 0, 14 * 6 + 3},
                                           CancelCase{"ReadFirstPass", false, false, 1, 1},
                                           CancelCase{"ReadLastBlock", false, false, 1024, 9},
                                           CancelCase{"WriteFirstPass", true, false, 1, 1},
                                           CancelCase{"WriteSecondRange", true, false, 201, 9}),
                         [](const ::testing::TestParamInfo<CancelCase> &i) { return std::string(i.param.name); });

} // namespace
