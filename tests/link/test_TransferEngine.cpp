// The transfer engine on a fake port: the handshake with its attempts,
// prompt and Retry, the callback order, the block loops and every way a
// transfer can end early; and the virtual radio's fault switches.
#include "TransferRig.h"

#include "link/WriteCompare.h"

using namespace corvane;
using namespace corvane::test;

namespace {

using Events = std::vector<std::string>;

// A radio that answers the wake-up string only from attempt answerFrom on
// (0: never; below 0: always with 0x15), sends the identification, and
// acknowledges the program's final 0x06 when finalAck is set.
FakePort::Responder ScriptedRadio(int answerFrom, bool finalAck)
{
    auto wakes = std::make_shared<int>(0);
    auto woken = std::make_shared<bool>(false);
    return [=](const QByteArray &w) -> QByteArray {
        if (w == "A" && answerFrom < 0)
            return QByteArray(1, 0x15);
        if (w == "A" && ++*wakes >= answerFrom && answerFrom > 0) {
            *woken = true;
            return QByteArray(1, 0x06);
        }
        if (w == QByteArray(1, 0x02) && *woken)
            return QByteArray("IDENT123");
        if (w == QByteArray(1, 0x06) && *woken) {
            *woken = false;
            return finalAck ? QByteArray(1, 0x06) : QByteArray();
        }
        return {};
    };
}

struct HandshakeCase {
    const char *name;
    int answerFrom;
    bool finalAck;
    std::vector<PromptAnswer> answers;
    Status status;
    int wakeUps;
    int prompts;
    std::function<bool(int n, int index)> readError = nullptr; // true: this read fails
    int reads = -1;                                            // reads made; -1: not checked
};

class Handshake : public ::testing::TestWithParam<HandshakeCase> {};

TEST_P(Handshake, AttemptsPromptsAndOutcome)
{
    const HandshakeCase &c = GetParam();
    TransferRig rig;
    rig.port.responder = ScriptedRadio(c.answerFrom, c.finalAck);
    rig.port.readError = c.readError;
    rig.answers = c.answers;
    const Result r = rig.Run(false);
    if (c.status == Status::Ok) {
        // The read loop then fails on the first block; the handshake passed.
        EXPECT_EQ(r.status, Status::Interrupted);
        EXPECT_EQ(rig.port.RequestAddresses(Proto::ReadCmd).size(), 1u);
    } else {
        EXPECT_EQ(r.status, c.status) << r.text.toStdString();
        EXPECT_TRUE(rig.port.RequestAddresses(Proto::ReadCmd).empty());
        EXPECT_EQ(rig.port.Count("message 61454"), c.status == Status::Interrupted ? 1 : 0);
    }
    EXPECT_EQ(rig.WakeUps(), c.wakeUps);
    EXPECT_EQ(rig.prompts, c.prompts);
    if (c.readError) {
        EXPECT_EQ(rig.port.Count("write 06"), 0); // a failed read ends the attempt at once
    }
    if (c.reads >= 0) {
        EXPECT_EQ(rig.port.reads, c.reads);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, Handshake,
    ::testing::Values(
        HandshakeCase{"FirstAttempt", 1, true, {}, Status::Ok, 1, 0},
        HandshakeCase{"SixthAttempt", 6, true, {}, Status::Ok, 6, 0},
        HandshakeCase{"SilentThenCancel", 0, true, {}, Status::CommError, 15, 1},
        HandshakeCase{"SilentRetryOnce", 0, true, {PromptAnswer::Retry}, Status::CommError, 30, 2},
        HandshakeCase{"RetryThenAnswer", 16, true, {PromptAnswer::Retry}, Status::Ok, 16, 1},
        HandshakeCase{"NoFinalAckFirstAttempt", 1, false, {}, Status::CommError, 1, 1},
        HandshakeCase{"NoFinalAckFifthAttempt", 5, false, {}, Status::CommError, 5, 1},
        HandshakeCase{"NoFinalAckSixthAttempt", 6, false, {}, Status::Interrupted, 6, 0},
        // Retry starts the count again: attempt 20 is the fifth since it.
        HandshakeCase{"NoFinalAckFifthAfterRetry", 20, false, {PromptAnswer::Retry}, Status::CommError, 20, 2},
        HandshakeCase{"NoFinalAckSixthAfterRetry", 21, false, {PromptAnswer::Retry}, Status::Interrupted, 21, 1},
        // After fifteen attempts, or a failed identification read, comes the prompt.
        HandshakeCase{"EveryReadFails", 0, true, {}, Status::CommError, 15, 1, [](int, int) { return true; }, 15},
        HandshakeCase{"ReadAfterANonAckFails", -1, true, {}, Status::CommError, 15, 1,
                      [](int, int index) { return index % 2 == 0; }, 30},
        HandshakeCase{"IdentificationReadFails", 1, true, {}, Status::CommError, 1, 1,
                      [](int n, int) { return n == 8; }}),
    [](const ::testing::TestParamInfo<HandshakeCase> &i) { return std::string(i.param.name); });

TEST(HandshakeWire, LineSetupThenFirstAttemptBytesPausesAndClears)
{
    TransferRig rig;
    rig.cancelAtPass = 7; // the first pass after the handshake
    EXPECT_EQ(rig.Run(false).status, Status::Cancelled);
    Events expected{"commitPendingEdit", "range 512", "open com1"};
    for (int i = 0; i < 6; ++i)
        expected.insert(expected.end(), {"pump", "sleep 1"});
    expected.push_back("purge all");
    for (const char *b : {"02", "50", "52", "4F", "47", "52", "41"})
        expected.insert(expected.end(), {"sleep 2", "purge clear", std::string("write ") + b});
    expected.insert(expected.end(), {"read 1", "sleep 1", "purge clear", "write 4D", "sleep 1", "write 02", "sleep 1",
                                     "read 8", "purge clear", "write 06", "purge clear", "sleep 1", "read 1"});
    expected.insert(expected.end(), {"purge clear", "write 52 00 00 08", "read 12", "purge clear", "write 06",
                                     "read 1", "pump", "close", "closeProgressDialog"});
    EXPECT_EQ(rig.events, expected);

    const CommTimeouts &t = rig.port.timeouts;
    const LineSettings &l = rig.port.line;
    EXPECT_EQ(rig.port.queues, std::make_pair(1024, 512));
    EXPECT_EQ(std::make_tuple(t.readInterval, t.readTotalMultiplier, t.readTotalConstant, t.writeTotalMultiplier,
                              t.writeTotalConstant),
              std::make_tuple(30, 500, 90, 50, 50));
    EXPECT_EQ(std::make_tuple(l.baud, l.dataBits, l.parity, l.stopBits, l.binary),
              std::make_tuple(9600, 8, false, 1, true));
}

// The identification reply is read but never examined.
TEST(HandshakeWire, AnyIdentificationStillCompletes)
{
    for (const QByteArray &ident : {VirtualRadio::Identification(), QByteArray(), QByteArray("\x01"), QByteArray(8, '\xFF')}) {
        TransferRig rig(PatternImage());
        auto radio = rig.port.responder;
        rig.port.responder = [&](const QByteArray &w) {
            const QByteArray reply = radio(w);
            return reply == VirtualRadio::Identification() ? ident : reply;
        };
        EXPECT_TRUE(rig.Run(false).ok()) << ident.toHex().toStdString();
        EXPECT_EQ(rig.WakeUps(), 1);
        EXPECT_EQ(rig.image, PatternImage());
    }
}

// The callbacks in order (a write's port opens before its loop, too).
TEST(TransferOrder, CompletedOrPortNotOpened)
{
    const struct { bool write, openFails; Events milestones; } cases[] = {
        {false, false, {"commitPendingEdit", "range 512", "open com1", "clearNewDocumentFlag", "refreshFromImage",
                        "close", "closeProgressDialog"}},
        {true, false, {"commitPendingEdit", "range 461", "commitToImage", "open com1", "close", "closeProgressDialog"}},
        {false, true, {"commitPendingEdit", "range 512", "open com1", "message 61453", "closeProgressDialog"}},
    };
    for (const auto &c : cases) {
        TransferRig rig(PatternImage());
        if (c.openFails)
            rig.port.openResult = Result::fail(Status::PortError, QStringLiteral("no such device"));
        const Result r = rig.Run(c.write);
        EXPECT_EQ(r.status, c.openFails ? Status::PortError : Status::Ok);
        EXPECT_EQ(r.text, c.openFails ? "no such device" : "");
        EXPECT_EQ(rig.Milestones(), c.milestones);
    }
}

// Decimal and hex addresses (0x, 0X) are in the fault tables of the other tests.
TEST(VirtualRadioFaults, BadSpellingIsRefusedWithAReason)
{
    for (const char *bad : {"first-byte=0x100", "hangup=0x2000", "no-ack=-8", "no-ack", "silent=1", "loud", ""}) {
        RadioFaults f;
        QString error;
        EXPECT_FALSE(f.Parse(QString::fromLatin1(bad), &error)) << bad;
        EXPECT_FALSE(error.isEmpty());
    }
}

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

// A line that goes away mid-transfer is told apart from a radio that keeps quiet.
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

// Cancel is seen at a pump pass, in the handshake or after a block.
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
                                           CancelCase{"HandshakeSecondAttempt", false, true, 0, 9},
                                           CancelCase{"HandshakeLastAttempt", false, true, 0, 14 * 6 + 3},
                                           CancelCase{"ReadFirstPass", false, false, 1, 1},
                                           CancelCase{"ReadLastBlock", false, false, 1024, 9},
                                           CancelCase{"WriteFirstPass", true, false, 1, 1},
                                           CancelCase{"WriteSecondRange", true, false, 201, 9}),
                         [](const ::testing::TestParamInfo<CancelCase> &i) { return std::string(i.param.name); });

} // namespace
