#include "image/Codecs.h"

#include "image/DecimalMath.h"
#include "image/MemoryImage.h"
#include "image/Texts.h"

#include <QStringEncoder>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace corvane {

namespace {

// High nibble × 10 + low nibble, also for nibbles above 9.
int Bcd(uint8_t x) { return (x >> 4) * 10 + (x & 0x0F); }

// (v / 10) × 16 + v mod 10, truncating toward zero, low 8 bits kept.
uint8_t ToBcd(int32_t v)
{
    const int64_t r = (static_cast<int64_t>(v) / 10) * 16 + static_cast<int64_t>(v) % 10;
    return static_cast<uint8_t>(r & 0xFF);
}

const char *const kCtcss[50] = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

const int kDcs[105] = {
    23,  25,  26,  31,  32,  36,  43,  47,  51,  53,  54,  65,  71,  72,  73,  74,  114, 115,
    116, 122, 125, 131, 132, 134, 143, 145, 152, 155, 156, 162, 165, 172, 174, 205, 212, 223,
    225, 226, 243, 244, 245, 246, 251, 252, 255, 261, 263, 265, 266, 271, 274, 306, 311, 315,
    325, 331, 332, 343, 346, 351, 356, 364, 365, 371, 411, 412, 413, 423, 431, 432, 445, 446,
    452, 454, 455, 462, 464, 465, 466, 503, 506, 516, 523, 526, 532, 546, 565, 606, 612, 624,
    627, 631, 632, 645, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754};

QStringList BuildToneList(bool chinese)
{
    QStringList list;
    list.reserve(261);
    list << Txt::None.text(chinese);
    for (const char *t : kCtcss)
        list << QString::fromLatin1(t);
    for (const char *suffix : {"N", "I"}) {
        for (int code : kDcs)
            list << QString::asprintf("D%03d%s", code, suffix);
    }
    return list;
}

// value / 10^decimals as "%d.%0*d", which is what "%3.<decimals>f" prints
// for the double nearest that quotient (values of at most ten digits).
} // namespace


QString FrequencyText(int units)
{
    // units x 0.00001 with five decimals is exactly units / 100000: the
    // nearest double is within far less than half a unit of the fifth
    // decimal, so printing it with "%3.5f" gives these very digits.
    return FixedPoint(units, 5);
}

QString DecodeFrequency(const uint8_t *b)
{
    const int n = Bcd(b[3]) * 1000000 + Bcd(b[2]) * 10000 + Bcd(b[1]) * 100 + Bcd(b[0]);
    return FrequencyText(n);
}

void EncodeFrequency(const QString &text, uint8_t *b)
{
    int32_t v = ScaledTruncated(text, 5);
    if (v == 0) {
        std::memset(b, 0xFF, 4);
        return;
    }
    int32_t p = 1000000;
    for (int pos = 3; pos >= 0; --pos) {
        b[pos] = ToBcd(v / p);
        v %= p;
        p /= 100;
    }
}

QString DecodeTone(uint8_t kind, uint8_t low, bool chinese)
{
    if (kind == 0x00 || kind == 0xFF)
        return Txt::None.text(chinese);
    if (kind >= 0x80) {
        const bool inverted = kind >= 0xC0;
        const int d = kind - (inverted ? 0xC0 : 0x80);
        const int value = d * 100 + Bcd(low);
        char buf[24];
        const int len = std::snprintf(buf, sizeof buf, "%s%d%c", d == 0 ? "D0" : "D", value, inverted ? 'I' : 'N');
        return QString::fromLatin1(buf, len);
    }
    // Tenths of Hz with "%3.1f", exact for the same reason as frequencies.
    return FixedPoint(Bcd(kind) * 100 + Bcd(low), 1);
}

void EncodeTone(const QString &text, uint8_t &kind, uint8_t &low)
{
    if (text.contains(QLatin1Char('D'))) {
        const QString rest = text.mid(1);
        const int v = ParseInteger(rest);
        const int base = rest.contains(QLatin1Char('N')) ? 0x80 : 0xC0;
        kind = static_cast<uint8_t>(v / 100 + base);
        low = ToBcd(v % 100);
        return;
    }
    const int32_t v = ScaledTruncated(text, 1);
    if (v == 0) {
        kind = low = 0xFF;
        return;
    }
    kind = ToBcd(v / 100);
    low = ToBcd(v % 100);
}

QString DecodePower(uint8_t flags, bool chinese)
{
    switch ((flags >> 4) & 0x03) {
    case 0: return Txt::Low.text(chinese);
    case 1: return Txt::Middle.text(chinese);
    case 2: return Txt::High.text(chinese);
    default: return QString();
    }
}

uint8_t EncodePower(const QString &text, uint8_t flags)
{
    flags &= static_cast<uint8_t>(~0x30);
    if (Txt::High.matches(text))
        flags |= 0x20;
    else if (Txt::Middle.matches(text))
        flags |= 0x10;
    return flags;
}

QString DecodeLock(uint8_t flags, bool chinese)
{
    return (flags & 0x08) ? Txt::Lock.text(chinese) : Txt::Unlock.text(chinese);
}

uint8_t EncodeLock(const QString &text, uint8_t flags)
{
    return Txt::Unlock.matches(text) ? static_cast<uint8_t>(flags & ~0x08) : static_cast<uint8_t>(flags | 0x08);
}

QString DecodeScan(uint8_t flags, bool chinese)
{
    return (flags & 0x04) ? Txt::Yes.text(chinese) : Txt::No.text(chinese);
}

uint8_t EncodeScan(const QString &text, uint8_t flags)
{
    return Txt::No.matches(text) ? static_cast<uint8_t>(flags & ~0x04) : static_cast<uint8_t>(flags | 0x04);
}

char NameCodeToChar(uint8_t code)
{
    if (code <= 0x09)
        return static_cast<char>('0' + code);
    if (code <= 0x23)
        return static_cast<char>('A' + code - 0x0A);
    if (code == 0x24)
        return '-';
    if (code == 0x26)
        return '_';
    return 0;
}

uint8_t NameCharToCode(char ch)
{
    if (ch >= '0' && ch <= '9')
        return static_cast<uint8_t>(ch - '0');
    if (ch >= 'A' && ch <= 'Z')
        return static_cast<uint8_t>(ch - 'A' + 0x0A);
    if (ch == '-')
        return 0x24;
    if (ch == '_')
        return 0x26;
    return 0xFF;
}

bool IsNameText(const QString &text)
{
    for (QChar c : text)
        if (c.unicode() > 0x7F || NameCharToCode(static_cast<char>(c.unicode())) == 0xFF)
            return false;
    return true;
}

QString DecodeName(const uint8_t *slot)
{
    char buf[kNameSlotSize];
    int len = 0;
    for (; len < kNameSlotSize; ++len) {
        buf[len] = NameCodeToChar(slot[len]);
        if (buf[len] == 0)
            break;
    }
    return QString::fromLatin1(buf, len);
}

void EncodeName(const QString &text, uint8_t *slot)
{
    std::memset(slot, 0xFF, kNameSlotSize);
    // The radio counts positions in bytes of the GB18030 form: a Chinese
    // character fills two (or four) positions. Those bytes are not name
    // characters, even where a trail byte happens to equal an ASCII letter
    // or digit, so each of them stores 0xFF.
    std::optional<QStringEncoder> gb; // opened at the first non-ASCII character
    int pos = 0;
    for (int i = 0; i < text.size() && pos < kNameSlotSize; ++i) {
        const char16_t u = text.at(i).unicode();
        if (u == 0)
            break; // a C string ends here
        if (u < 0x80) {
            slot[pos++] = NameCharToCode(static_cast<char>(u));
            continue;
        }
        const bool pair = QChar::isHighSurrogate(u) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const QString one = text.mid(i, pair ? 2 : 1);
        if (pair)
            ++i;
        if (!gb)
            gb.emplace("GB18030");
        QByteArray bytes;
        if (gb->isValid())
            bytes = gb->encode(one);
        const int width = bytes.isEmpty() ? (pair ? 4 : 2) : static_cast<int>(bytes.size());
        pos += width; // those positions already hold 0xFF
    }
}

const QStringList &ToneList(bool chinese)
{
    static const QStringList english = BuildToneList(false);
    static const QStringList zh = BuildToneList(true);
    return chinese ? zh : english;
}

} // namespace corvane