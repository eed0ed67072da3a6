// The virtual radio's protocol state machine on bytes, and its fault
// switches as the command line spells them.
#include "TransferRig.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace {

const std::string W = "0250524F475241"; // the wake-up string
const std::string H[] = {W, "06", "4D02", "ID", "06", "06"}; // a whole handshake

// Bytes fed (hex) and the reply: hex, "ID" for the identification, "+n" for
// any n bytes, "" for silence.
struct Session {
    const char *name;
    QStringList faults;
    std::vector<std::string> steps; // in, reply, in, reply, ...
    int at = -1;                    // where the memory must hold `stored` afterwards
    const char *stored = "";
    bool hungUp = false;
};

class VirtualRadioSession : public ::testing::TestWithParam<Session> {};

TEST_P(VirtualRadioSession, AnswersAsARadioWould)
{
    const Session &s = GetParam();
    RadioFaults faults;
    for (const QString &f : s.faults)
        ASSERT_TRUE(faults.Parse(f, nullptr)) << f.toStdString();
    VirtualRadio radio(PatternImage(1), faults);
    for (std::size_t i = 0; i + 1 < s.steps.size(); i += 2) {
        QByteArray reply;
        for (char c : QByteArray::fromHex(QByteArray::fromStdString(s.steps[i])))
            reply += radio.Feed(static_cast<uint8_t>(c)).bytes;
        const std::string &want = s.steps[i + 1];
        if (want == "ID")
            EXPECT_EQ(reply, VirtualRadio::Identification()) << "step " << i / 2;
        else if (!want.empty() && want[0] == '+')
            EXPECT_EQ(reply.size(), std::stoi(want.substr(1))) << "step " << i / 2;
        else
            EXPECT_EQ(reply.toHex().toUpper().toStdString(), want) << "step " << i / 2;
    }
    MemoryImage expected = PatternImage(1);
    const QByteArray stored = QByteArray::fromHex(s.stored);
    std::copy(stored.begin(), stored.end(), expected.data() + std::max(s.at, 0));
    EXPECT_EQ(radio.Memory(), expected);
    EXPECT_EQ(radio.HungUp(), s.hungUp);
}

std::vector<std::string> Steps(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> out;
    for (const auto &p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}
const std::vector<std::string> kHandshake(std::begin(H), std::end(H));

std::string Hex(int offset, int n)
{
    return QByteArray(reinterpret_cast<const char *>(PatternImage(1).data() + offset), n).toHex().toUpper().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Table, VirtualRadioSession,
    ::testing::Values(
        // Write data may hold any byte, the wake-up string's and 0x06 among them.
        Session{"ReadAndWriteBlocks", {},
                Steps({kHandshake, {"520C9008", "570C9008" + Hex(0x0C90, 8), "06", "06",
                                    "57010008" + W + "06", "06"}}),
                0x0100, "0250524F47524106"},
        Session{"IdleIgnoresEverything", {}, {"520000080657000008", "", "31323334353637384D02", ""}},
        Session{"IgnoresBadRequests", {},
                Steps({kHandshake, {"52000308", "", "52200008", "", "52000010", "", "570001080102030405060708", "",
                                    "06", ""}})},
        Session{"WakeUpStartsOverInAnyState", {},
                Steps({{"0250524F" + W, "06", W, "06", "4D02", "ID", W, "06"}, kHandshake, {"52000008", "+12"},
                       kHandshake})},
        // An unacknowledged write is still stored.
        Session{"FirstByteShortReplyNoAck", {"first-byte=0x15", "short-reply=0x0008", "no-ack=0x0010"},
                {W, "1506", "4D02", "ID", "06", "06", "52000008", "+12", "06", "06", "52000808", "+11", "52001008",
                 "+12", "06", "", "570010083132333435363738", "", "570018084142434445464748", "06"},
                0x0010, "31323334353637384142434445464748"},
        Session{"DropWrite", {"drop-write=8"}, Steps({kHandshake, {"570008083132333435363738", "06"}})},
        Session{"Silent", {"silent"}, {W + "4D020652000008", ""}},
        Session{"Hangup", {"hangup=0X0800"}, Steps({kHandshake, {"52000008", "+12", "52080008", "", W, ""}}), -1, "",
                true}),
    [](const ::testing::TestParamInfo<Session> &i) { return std::string(i.param.name); });

// Decimal and hex addresses, either case of 0x, are in the table above.
TEST(VirtualRadioFaults, BadSpellingIsRefusedWithAReason)
{
    for (const char *bad : {"first-byte=0x100", "hangup=0x2000", "no-ack=-8", "no-ack", "silent=1", "loud", ""}) {
        RadioFaults f;
        QString error;
        EXPECT_FALSE(f.Parse(QString::fromLatin1(bad), &error)) << bad;
        EXPECT_FALSE(error.isEmpty());
    }
}

} // namespace
