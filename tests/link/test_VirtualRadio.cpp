// The virtual radio's protocol state machine on bytes, and its fault
// switches as the command line spells them.
#include "TransferRig.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace {

QByteArray Feed(VirtualRadio &radio, const QByteArray &bytes)
{
    QByteArray out;
    for (char c : bytes)
        out += radio.Feed(static_cast<uint8_t>(c)).bytes;
    return out;
}

QByteArray At(const MemoryImage &m, int offset, int n) { return {reinterpret_cast<const char *>(m.data() + offset), n}; }

const QByteArray kWake = QByteArray::fromHex("0250524F475241");
const QByteArray kAck(1, 0x06);

void Handshake(VirtualRadio &radio)
{
    ASSERT_EQ(Feed(radio, kWake), kAck);
    ASSERT_EQ(Feed(radio, "M\x02"), VirtualRadio::Identification());
    ASSERT_EQ(Feed(radio, kAck), kAck);
    ASSERT_TRUE(radio.InSession());
}

TEST(VirtualRadioProtocol, ReadAndWriteBlocks)
{
    VirtualRadio radio(PatternImage(1));
    Handshake(radio);
    EXPECT_EQ(Feed(radio, QByteArray::fromHex("520C9008")), QByteArray::fromHex("570C9008") + At(PatternImage(1), 0x0C90, 8));
    EXPECT_EQ(Feed(radio, kAck), kAck);
    // Write data may hold any byte, the wake-up string's and 0x06 among them.
    const QByteArray data = kWake + kAck;
    EXPECT_EQ(Feed(radio, QByteArray::fromHex("57010008") + data), kAck);
    EXPECT_EQ(At(radio.Memory(), 0x0100, 8), data);
    EXPECT_TRUE(radio.InSession());
    EXPECT_EQ(std::make_pair(radio.BlocksRead(), radio.BlocksWritten()), std::make_pair(1, 1));
}

TEST(VirtualRadioProtocol, IgnoresWhatARadioWouldNotAnswer)
{
    VirtualRadio idle(PatternImage(1));
    EXPECT_EQ(Feed(idle, QByteArray::fromHex("520000080657000008") + "12345678M\x02"), QByteArray());
    VirtualRadio radio(PatternImage(1));
    Handshake(radio);
    for (const char *hex : {"52000308", "52200008", "52000010", "570001080102030405060708", "06"})
        EXPECT_EQ(Feed(radio, QByteArray::fromHex(hex)), QByteArray()) << hex;
    EXPECT_EQ(radio.Memory(), PatternImage(1));
    EXPECT_EQ(idle.Memory(), PatternImage(1));
}

TEST(VirtualRadioProtocol, WakeUpStartsOverInAnyState)
{
    VirtualRadio radio(MemoryImage::newImage());
    EXPECT_EQ(Feed(radio, kWake.left(4) + kWake), kAck); // broken string, then a whole one
    EXPECT_EQ(Feed(radio, kWake), kAck);                 // woken, not yet identified
    EXPECT_EQ(Feed(radio, "M\x02"), VirtualRadio::Identification());
    EXPECT_EQ(Feed(radio, kWake), kAck);                 // identified, before the final 0x06
    Handshake(radio);
    EXPECT_EQ(Feed(radio, QByteArray::fromHex("52000008")).size(), 12);
    Handshake(radio);                                    // mid-session
}

TEST(VirtualRadioFaults, Spelling)
{
    using F = RadioFaults;
    const std::vector<std::tuple<const char *, int F::*, int>> numbers{
        {"first-byte=0x15", &F::firstByte, 0x15}, {"short-reply=0x0C90", &F::shortReply, 0x0C90},
        {"no-ack=256", &F::noAck, 256},           {"hangup=0X0800", &F::hangup, 0x0800},
        {"drop-write=8", &F::dropWrite, 8}};
    for (const auto &[word, field, value] : numbers) {
        F f;
        EXPECT_TRUE(f.Parse(QString::fromLatin1(word), nullptr)) << word;
        EXPECT_EQ(f.*field, value) << word;
    }
    F flags;
    EXPECT_TRUE(flags.Parse("silent", nullptr) && flags.Parse("no-final-ack", nullptr));
    EXPECT_TRUE(flags.silent && flags.noFinalAck);
    for (const char *bad : {"first-byte=0x100", "hangup=0x2000", "no-ack=-8", "no-ack", "silent=1", "loud", ""}) {
        F f;
        QString error;
        EXPECT_FALSE(f.Parse(QString::fromLatin1(bad), &error)) << bad;
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(VirtualRadioFaults, EachSwitchChangesOnlyItsAnswer)
{
    RadioFaults f;
    f.firstByte = 0x15;
    f.shortReply = 0x0008;
    f.noAck = 0x0010;
    VirtualRadio radio(PatternImage(1), f);
    EXPECT_EQ(Feed(radio, kWake), QByteArray("\x15\x06"));
    EXPECT_EQ(Feed(radio, "M\x02").size(), 8);
    EXPECT_EQ(Feed(radio, kAck), kAck);
    EXPECT_EQ(Feed(radio, QByteArray::fromHex("52000008")).size(), 12);
    EXPECT_EQ(Feed(radio, kAck), kAck);
    EXPECT_EQ(Feed(radio, QByteArray::fromHex("52000808")).size(), 11);
    EXPECT_EQ(Feed(radio, QByteArray::fromHex("52001008")).size(), 12);
    EXPECT_EQ(Feed(radio, kAck), QByteArray());
    EXPECT_EQ(Feed(radio, QByteArray::fromHex("57001008") + "12345678"), QByteArray());
    EXPECT_EQ(Feed(radio, QByteArray::fromHex("57001808") + "ABCDEFGH"), kAck);
    EXPECT_EQ(At(radio.Memory(), 0x0010, 16), "12345678ABCDEFGH") << "an unacknowledged write is still stored";

    RadioFaults drop;
    drop.dropWrite = 0x0008;
    VirtualRadio forgetful(PatternImage(1), drop);
    Handshake(forgetful);
    EXPECT_EQ(Feed(forgetful, QByteArray::fromHex("57000808") + "12345678"), kAck);
    EXPECT_EQ(At(forgetful.Memory(), 0x0008, 8), At(PatternImage(1), 0x0008, 8));
}

TEST(VirtualRadioFaults, SilentAndHangup)
{
    RadioFaults silent;
    silent.silent = true;
    VirtualRadio quiet(PatternImage(1), silent);
    EXPECT_EQ(Feed(quiet, kWake + "M\x02" + kAck + QByteArray::fromHex("52000008")), QByteArray());

    RadioFaults hang;
    hang.hangup = 0x0800;
    VirtualRadio radio(PatternImage(1), hang);
    Handshake(radio);
    EXPECT_EQ(Feed(radio, QByteArray::fromHex("52000008")).size(), 12);
    EXPECT_FALSE(radio.HungUp());
    EXPECT_EQ(Feed(radio, QByteArray::fromHex("52080008")), QByteArray());
    EXPECT_TRUE(radio.HungUp());
    EXPECT_EQ(Feed(radio, kWake), QByteArray());
}

} // namespace
