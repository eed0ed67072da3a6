// The start of a transfer: opening the port, the handshake with its
// attempt counter, the prompt and Retry, and the callback order.
#include "TransferRig.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace {

using Events = std::vector<std::string>;

// A radio that answers the wake-up string only from attempt answerFrom on
// (0: never), sends the identification, and acknowledges the program's
// final 0x06 when finalAck is set.
FakePort::Responder ScriptedRadio(int answerFrom, bool finalAck)
{
    auto wakes = std::make_shared<int>(0);
    auto woken = std::make_shared<bool>(false);
    return [=](const QByteArray &w) -> QByteArray {
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
    int interruptMessages;
};

class Handshake : public ::testing::TestWithParam<HandshakeCase> {};

TEST_P(Handshake, AttemptsPromptsAndOutcome)
{
    const HandshakeCase &c = GetParam();
    TransferRig rig;
    rig.port.responder = ScriptedRadio(c.answerFrom, c.finalAck);
    rig.answers = c.answers;
    const Result r = rig.Run(false);
    if (c.status == Status::Ok) {
        // The read loop then fails on the first block; the handshake passed.
        EXPECT_EQ(r.status, Status::Interrupted);
        EXPECT_EQ(rig.port.RequestAddresses(Proto::ReadCmd).size(), 1u);
    } else {
        EXPECT_EQ(r.status, c.status) << r.text.toStdString();
        EXPECT_TRUE(rig.port.RequestAddresses(Proto::ReadCmd).empty());
        EXPECT_EQ(rig.port.Count("message 61454"), c.interruptMessages);
    }
    EXPECT_EQ(rig.WakeUps(), c.wakeUps);
    EXPECT_EQ(rig.prompts, c.prompts);
    EXPECT_EQ(rig.port.closes, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, Handshake,
    ::testing::Values(
        HandshakeCase{"FirstAttempt", 1, true, {}, Status::Ok, 1, 0, 0},
        HandshakeCase{"SixthAttempt", 6, true, {}, Status::Ok, 6, 0, 0},
        HandshakeCase{"SilentThenCancel", 0, true, {}, Status::CommError, 15, 1, 0},
        HandshakeCase{"SilentRetryOnce", 0, true, {PromptAnswer::Retry}, Status::CommError, 30, 2, 0},
        HandshakeCase{"RetryThenAnswer", 16, true, {PromptAnswer::Retry}, Status::Ok, 16, 1, 0},
        HandshakeCase{"NoFinalAckFirstAttempt", 1, false, {}, Status::CommError, 1, 1, 0},
        HandshakeCase{"NoFinalAckFifthAttempt", 5, false, {}, Status::CommError, 5, 1, 0},
        HandshakeCase{"NoFinalAckSixthAttempt", 6, false, {}, Status::Interrupted, 6, 0, 1},
        // Retry starts the count again: attempt 20 is the fifth since it.
        HandshakeCase{"NoFinalAckFifthAfterRetry", 20, false, {PromptAnswer::Retry}, Status::CommError, 20, 2, 0},
        HandshakeCase{"NoFinalAckSixthAfterRetry", 21, false, {PromptAnswer::Retry}, Status::Interrupted, 21, 1, 1}),
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

// A noise byte before the wake-up's acknowledgement gets a second chance,
// and the identification reply is read but never examined.
TEST(HandshakeWire, NoiseBeforeTheAckAndAnyIdentificationStillComplete)
{
    for (const QByteArray &ident : {VirtualRadio::Identification(), QByteArray(), QByteArray("\x01"), QByteArray(8, '\xFF')}) {
        RadioFaults noise;
        noise.firstByte = 0x15;
        TransferRig rig(PatternImage(), noise);
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

TEST(HandshakeTiming, SilentRadioCostsAbout1200MsPerAttempt)
{
    TransferRig rig;
    rig.port.responder = nullptr;
    EXPECT_EQ(rig.Run(false).status, Status::CommError);
    // 6 x 1 ms + 7 x 2 ms + two 590 ms reads + 2 ms, fifteen times.
    EXPECT_EQ(rig.clock.now, 15 * 1202 * 1000LL);
    EXPECT_EQ(rig.port.Count("read 1"), 30);
}

// A read that fails ends the attempt at once; after fifteen attempts, or
// on a failed identification read, the prompt comes and nothing more is sent.
TEST(HandshakeErrors, FailedReadsEndTheAttempt)
{
    const auto nak = [](const QByteArray &w) { return w == "A" ? QByteArray(1, 0x15) : QByteArray(); };
    const struct { const char *name; bool nak; std::function<bool(int, int)> readError; int wakeUps, reads; } cases[] = {
        {"every read", false, [](int, int) { return true; }, 15, 15},
        {"after a non-ack", true, [](int, int index) { return index % 2 == 0; }, 15, 30},
        {"identification", false, [](int n, int) { return n == 8; }, 1, -1},
    };
    for (const auto &c : cases) {
        TransferRig rig;
        if (c.nak)
            rig.port.responder = nak;
        rig.port.readError = c.readError;
        EXPECT_EQ(rig.Run(false).status, Status::CommError) << c.name;
        EXPECT_EQ(rig.WakeUps(), c.wakeUps) << c.name;
        if (c.reads >= 0) {
            EXPECT_EQ(rig.port.reads, c.reads) << c.name;
        }
        EXPECT_EQ(rig.prompts, 1) << c.name;
        EXPECT_EQ(rig.port.Count("write 06"), 0) << c.name; // no final acknowledgement
    }
}

// The callbacks in order, for a completed transfer and a port that does
// not open; only a completed read clears the new-document flag.
TEST(TransferOrder, CompletedOrPortNotOpened)
{
    const struct { bool write, openFails; Events milestones; } cases[] = {
        {false, false, {"commitPendingEdit", "range 512", "open com1", "clearNewDocumentFlag", "refreshFromImage",
                        "close", "closeProgressDialog"}},
        {true, false, {"commitPendingEdit", "range 461", "commitToImage", "open com1", "close", "closeProgressDialog"}},
        {false, true, {"commitPendingEdit", "range 512", "open com1", "message 61453", "closeProgressDialog"}},
        {true, true, {"commitPendingEdit", "range 461", "commitToImage", "open com1", "message 61453",
                      "closeProgressDialog"}},
    };
    for (const auto &c : cases) {
        TransferRig rig(PatternImage());
        if (c.openFails)
            rig.port.openResult = Result::fail(Status::PortError, QStringLiteral("no such device"));
        const Result r = rig.Run(c.write);
        EXPECT_EQ(r.status, c.openFails ? Status::PortError : Status::Ok);
        EXPECT_EQ(r.text, c.openFails ? "no such device" : "");
        EXPECT_EQ(rig.Milestones(), c.milestones);
        EXPECT_EQ(rig.port.writes.empty(), c.openFails);
        EXPECT_EQ(rig.newDocument, c.write || c.openFails);
    }
}

} // namespace
