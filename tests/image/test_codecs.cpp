#include "image/Codecs.h"
#include "image/DecimalMath.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <limits>

using namespace corvane;

namespace {
using Bytes4 = std::array<uint8_t, 4>;
using Bytes8 = std::array<uint8_t, 8>;
const double kInf = std::numeric_limits<double>::infinity();
} // namespace

// Expected: the double nearest the exact product of the operands rounded to
// 15 significant digits (136.0125 * 100000 plainly gives 13601249.999999998).
TEST(DecimalMultiply, ExactDecimalProducts)
{
    struct Case { double a, b, expected; };
    const Case cases[] = {
        {136.0125, 100000.0, 13601250.0}, {44600625.0, 1e-05, 446.00625}, {0.1, 0.2, 0.02},
        {1.005, 1000.0, 1005.0}, {0.7, 0.7, 0.49}, {-1.15, 100.0, -115.0}, {0.1 + 0.2, 10.0, 3.0},
        {1.0 / 3.0, 3.0, 0.999999999999999}, // the operand is rounded first
        {-626018.159083016, 0.23186091390996, -145149.14248921882},
        {3.46281948219935e-05, 0.919093786579754, 3.1826558701367434e-05},
        {0.00611637265167612, 3.0297299752882e-08, 1.8530957562816114e-10},
        {999999999999999.0, 999999999999999.0, 9.99999999999998e29},
        {-0.0, 5.0, -0.0}, {-kInf, 2.0, -kInf}, {1e300, 1e300, kInf}, {-1e-300, 1e-300, -0.0},
        {5e-324, 1.0, 5e-324},
    };
    for (const Case &c : cases) {
        const double r = DecimalMultiply(c.a, c.b);
        EXPECT_EQ(r, c.expected) << c.a << " * " << c.b;
        EXPECT_EQ(std::signbit(r), std::signbit(c.expected)) << c.a << " * " << c.b;
    }
    EXPECT_TRUE(std::isnan(DecimalMultiply(kInf, 0.0)));
    EXPECT_TRUE(std::isnan(DecimalMultiply(std::nan(""), 1.0)));
}

TEST(Parse, NumberAndIntegerFollowAtofAndAtoi)
{
    struct Case { const char *text; double number; int integer; };
    const Case cases[] = {
        {"446.00625", 446.00625, 446}, {"  \t\n12.5abc", 12.5, 12}, {"-3e2x", -300.0, -3}, {"+7", 7, 7},
        {"1e", 1, 1}, {"1e+", 1, 1}, {".5", 0.5, 0}, {"5.", 5, 5}, {"", 0, 0}, {"+-5", 0, 0},
        {"- 5", 0, 0}, {"0x1A", 0, 0}, {"inf", 0, 0}, {"nan", 0, 0}, {"D023", 0, 0}, {"023N", 23, 23},
        {"12中3", 12, 12}, {"１２", 0, 0}, {"\u300012", 0, 0}, // non-ASCII ends the number
        {"1e400", kInf, 1}, {"-1e400", -kInf, -1}, {"1e-400", 0, 1},
        {"0.0000000000000000000000000000000001e-300", 0, 0},
        {"2147483647", 2147483647.0, INT_MAX}, {"-2147483648", -2147483648.0, INT_MIN},
        {"99999999999999999999", 1e20, INT_MAX}, {"-99999999999999999999", -1e20, INT_MIN},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(ParseNumber(QString::fromUtf8(c.text)), c.number) << c.text;
        EXPECT_EQ(ParseInteger(QString::fromUtf8(c.text)), c.integer) << c.text;
    }
    EXPECT_EQ(ParseNumber(QString::fromUtf8("12\0" "3", 4)), 12.0); // a NUL ends it too
    EXPECT_EQ(ParseNumber(QString(400, '9')), kInf);
    EXPECT_EQ(ParseNumber("0." + QString(400, '0') + "1e50"), 0.0); // 1e-351
}

TEST(Frequency, EncodeAndDecode)
{
    struct Case { const char *text; Bytes4 bytes; bool encodes = true, decodes = false; };
    const Case cases[] = {
        {"446.00625", {0x25, 0x06, 0x60, 0x44}, true, true}, {"136", {0x00, 0x00, 0x60, 0x13}},
        {"136.00000", {0x00, 0x00, 0x60, 0x13}, false, true}, {"136.0125", {0x50, 0x12, 0x60, 0x13}},
        {"1656.66665", {0xFF, 0xFF, 0xFF, 0xFE}, false, true}, // nibbles above 9 still add up
        {"446.006249", {0x24, 0x06, 0x60, 0x44}}, // truncates, never rounds up
        {"", {0xFF, 0xFF, 0xFF, 0xFF}}, {"abc", {0xFF, 0xFF, 0xFF, 0xFF}},
        {"0.000001", {0xFF, 0xFF, 0xFF, 0xFF}},
        // Beyond the 32-bit range the value is clamped, then coded as stated.
        {"1e30", {0x47, 0x36, 0x48, 0x67}}, {"-1e30", {0xB8, 0xCA, 0xB8, 0x99}},
        {"-136", {0x00, 0x00, 0xA0, 0xED}},
    };
    for (const Case &c : cases) {
        Bytes4 b{};
        EncodeFrequency(QString::fromUtf8(c.text), b.data());
        EXPECT_TRUE(!c.encodes || b == c.bytes) << c.text;
        EXPECT_TRUE(!c.decodes || DecodeFrequency(c.bytes.data()) == c.text) << c.text;
    }
}

// The worked examples exactly; every entry of both lists comes back as itself.
TEST(Tone, WorkedExamplesAndEveryListEntryRoundTrips)
{
    // encodes: the text gives these bytes; decodes: these bytes give the text.
    struct Case { const char *text; uint8_t kind, low; bool encodes, decodes, chinese; };
    const Case cases[] = {
        {"D023N", 0x80, 0x23, true, true, false}, {"D023I", 0xC0, 0x23, true, true, false},
        {"D114I", 0xC1, 0x14, true, true, false}, {"D754I", 0xC7, 0x54, true, true, false},
        {"254.1", 0x25, 0x41, true, true, false}, {"67.0", 0x06, 0x70, true, true, true},
        {"100.0", 0x10, 0x00, true, true, false}, {"None", 0xFF, 0xFF, true, true, false},
        {"无", 0xFF, 0xFF, true, true, true},      {"", 0xFF, 0xFF, true, false, false},
        {"None", 0x00, 0x99, false, true, false}, {"无", 0x00, 0x00, false, true, true},
        {"D05N", 0x80, 0x05, false, true, false}, // a code below 10 shows two digits
        {"D114X", 0xC1, 0x14, true, false, false}, // any ending but N means inverted
        {"D99999999999", 0xD4, 0x47, true, false, false}, // clamped, then coded as stated
    };
    for (const Case &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        if (c.encodes) {
            uint8_t kind = 0, low = 0;
            EncodeTone(text, kind, low);
            EXPECT_EQ(Bytes4({kind, low, 0, 0}), Bytes4({c.kind, c.low, 0, 0})) << c.text;
        }
        if (c.decodes) {
            EXPECT_EQ(DecodeTone(c.kind, c.low, c.chinese), text);
        }
    }
    for (bool chinese : {false, true}) {
        const QStringList &list = ToneList(chinese);
        ASSERT_EQ(list.size(), 261);
        for (const QString &entry : list) {
            uint8_t kind = 0, low = 0;
            EncodeTone(entry, kind, low);
            EXPECT_EQ(DecodeTone(kind, low, chinese), entry);
        }
    }
}

TEST(ChannelFlags, DecodeAndEncode)
{
    struct Decode { uint8_t flags; bool chinese; const char *power, *lock, *scan; };
    const Decode decodes[] = {
        {0xEF, false, "High", "Lock", "Yes"}, {0xC3, false, "Low", "Unlock", "No"},
        {0x1C, true, "中", "锁定", "有"}, {0x20, true, "高", "未锁定", "无"}, {0xFF, false, "", "Lock", "Yes"},
    };
    for (const Decode &d : decodes) {
        EXPECT_EQ(DecodePower(d.flags, d.chinese), QString::fromUtf8(d.power));
        EXPECT_EQ(DecodeLock(d.flags, d.chinese), QString::fromUtf8(d.lock));
        EXPECT_EQ(DecodeScan(d.flags, d.chinese), QString::fromUtf8(d.scan));
    }
    using Encoder = uint8_t (*)(const QString &, uint8_t);
    struct Encode { Encoder fn; const char *text; uint8_t in, out; };
    const Encode encodes[] = {
        {EncodePower, "Low", 0xFF, 0xCF}, {EncodePower, "Middle", 0xFF, 0xDF}, {EncodePower, "High", 0xFF, 0xEF},
        {EncodePower, "high", 0xFF, 0xCF}, {EncodePower, "中", 0x00, 0x10}, {EncodePower, "高", 0x10, 0x20},
        {EncodeLock, "Unlock", 0xFF, 0xF7}, {EncodeLock, "未锁定", 0x08, 0x00}, {EncodeLock, "lock", 0x00, 0x08},
        {EncodeLock, "", 0xF7, 0xFF}, {EncodeScan, "No", 0xFF, 0xFB}, {EncodeScan, "无", 0x04, 0x00},
        {EncodeScan, "有", 0x00, 0x04}, {EncodeScan, "maybe", 0xFB, 0xFF},
    };
    for (const Encode &e : encodes)
        EXPECT_EQ(e.fn(QString::fromUtf8(e.text), e.in), e.out) << e.text << " from " << int(e.in);
}

TEST(Name, CodesEncodeAndDecode)
{
    // Exactly the 38 codes 0x00-0x24 and 0x26 have a character, and back.
    for (int code = 0; code <= 0xFF; ++code) {
        const char c = NameCodeToChar(static_cast<uint8_t>(code));
        EXPECT_EQ(c != 0, code <= 0x24 || code == 0x26) << code;
        if (c != 0) {
            EXPECT_EQ(NameCharToCode(c), code) << code;
        }
    }
    const uint8_t F = 0xFF;
    struct Case { const char *text; Bytes8 bytes; const char *decoded; };
    const Case cases[] = {
        {"ABC-1_", {0x0A, 0x0B, 0x0C, 0x24, 0x01, 0x26, F, F}, "ABC-1_"},
        {"abc", {F, F, F, F, F, F, F, F}, ""}, {"A B", {0x0A, F, 0x0B, F, F, F, F, F}, "A"},
        // A double-byte character fills two positions, a four-byte one four;
        // their bytes never count as name characters.
        {"中A", {F, F, 0x0A, F, F, F, F, F}, ""},
        {"癆", {F, F, F, F, F, F, F, F}, ""},    // trail byte 0x41 is not "A"
        {"À1", {F, F, F, F, 0x01, F, F, F}, ""}, // bytes 0x30, 0x38 are not digits
        {"😀Z", {F, F, F, F, 0x23, F, F, F}, ""},
        {"ABCDEFG中", {0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10, F}, "ABCDEFG"},
        {"ABCDEFG😀", {0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10, F}, "ABCDEFG"},
        {"ABCDEFGHIJ", {0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x11}, "ABCDEFGH"},
    };
    for (const Case &c : cases) {
        // Every position of the slot is written, and nothing after it.
        std::array<uint8_t, 12> b;
        b.fill(0x5A);
        EncodeName(QString::fromUtf8(c.text), b.data());
        EXPECT_TRUE(std::equal(c.bytes.begin(), c.bytes.end(), b.begin())) << c.text;
        EXPECT_EQ((std::array<uint8_t, 4>{b[8], b[9], b[10], b[11]}), (std::array<uint8_t, 4>{0x5A, 0x5A, 0x5A, 0x5A}))
            << c.text;
        EXPECT_EQ(DecodeName(b.data()), c.decoded) << c.text;
    }
    const std::pair<Bytes8, const char *> stored[] = {
        {{0x0A, F, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10}, "A"}, {{0x01, 0x25, 0x02, F, F, F, F, F}, "1"},
        {{0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x11}, "ABCDEFGH"}, {{0, 0, 0, 0, 0, 0, 0, 0}, "00000000"},
    };
    for (const auto &[bytes, text] : stored)
        EXPECT_EQ(DecodeName(bytes.data()), text);
}
