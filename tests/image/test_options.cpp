// The option table and the rules behind the two option dialogs: what each
// byte opens as and what OK writes, "LABEL=VALUE" settings, and the type
// and band lists, OK and caption of the product information.
#include "image/OptionChoices.h"
#include "image/ProductInfo.h"
#include "settings/UserStore.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

#include <set>

using namespace corvane;
using testenv::TestEnv;

namespace {

const OptionField &Field(const char *label)
{
    const OptionField *f = FindOption(QString::fromLatin1(label));
    EXPECT_TRUE(f) << label;
    return f ? *f : OptionFields().front();
}

// Offsets where two images differ.
std::vector<int> Diff(const MemoryImage &a, const MemoryImage &b)
{
    std::vector<int> out;
    for (int i = 0; i < kImageSize; ++i)
        if (a[i] != b[i])
            out.push_back(i);
    return out;
}

} // namespace

// Every field is written by the dialog's OK; what bytes open as. (A new
// image's texts: the option dialog tests.)
TEST(OptionTable, OpensWithTheDialogTexts)
{
    std::set<QString> labels;
    for (const OptionField &f : OptionFields())
        labels.insert(QLatin1String(f.label));
    const QStringList &order = OptionWriteOrder();
    EXPECT_EQ(std::set<QString>(order.begin(), order.end()), labels);
    EXPECT_EQ(order.size(), int(labels.size()));

    struct Case { const char *label; uint8_t byte; const char *text; };
    const Case cases[] = {
        {"Channel Display", 0x00, "On"}, {"Busy", 0x00, "On"}, {"Scan Mode", 0x00, "SE"}, {"LED", 0x00, "Off"},
        {"Keypad Lock", 0x00, "Manual"}, {"Channel Display", 0xFF, "Off"}, {"Busy", 0xFF, "Off"},
        {"Scan Mode", 0xFF, "TO"}, {"LED", 0xFF, "On"}, {"Keypad Lock", 0xFF, "Auto"}, {"Mode", 0x03, "Memory"},
        {"Time-Out Timer", 0x21, "1"}, {"Step", 0x0B, "6.25k"}, // read masks drop the high bits
        {"Voice Sensitivity", 0x10, "16"}, {"Call Tone", 0x09, "1750"}, // the last items
        {"Step", 0x06, ""}, {"Squelch Level", 0x0A, ""}, {"Voice Sensitivity", 0x11, ""}, // beyond the list
        {"Call Key Define", 0x07, "Off"}, {"Call Key Define", 0x02, "Emegency Alarm"}, {"Beep", 0xFE, "Off"},
    };
    for (const Case &c : cases) {
        MemoryImage image;
        image.setOption(Field(c.label).offset, c.byte);
        EXPECT_EQ(OptionValueText(Field(c.label), image, false), c.text) << c.label << " " << int(c.byte);
    }
    MemoryImage image;
    image.setOption(Off::callKey, 0x03);
    EXPECT_EQ(OptionValueText(Field("Call Key Define"), image, true), QString::fromUtf8("呼叫音+紧急报警"));
}

TEST(OptionTable, WritesIndicesAndNoSelection)
{
    // index -2 stands for "open and OK without changes".
    struct Case { const char *label; uint8_t before; int index; uint8_t after; };
    const Case cases[] = {
        {"Busy", 0xFF, -2, 0xEB}, {"Mode", 0xFF, -2, 0xFE}, // pairs 11 become 10, foreign bits kept
        {"Time-Out Timer", 0x21, -2, 0x01}, {"Call Key Define", 0x07, -2, 0x00}, {"Step", 0xFB, -2, 0x03},
        {"Squelch Level", 0x0C, -2, 0x0F}, {"Beep", 0x81, -2, 0x81},
        {"Step", 0xFF, 3, 0x03}, {"Step", 0xFF, 5, 0x05}, {"Call Tone", 0xF0, 9, 0x09},
        {"Call Key Define", 0x03, -1, 0x00},
        {"Channel Display", 0x00, -1, 0x80}, {"Busy", 0xFF, -1, 0xBF}, {"Keypad Lock", 0x00, -1, 0x02},
        {"Priority Scan", 0x00, -1, 0x40}, {"Scan Mode", 0x00, -1, 0x20}, {"Mode", 0xFC, -1, 0xFE},
        {"Beep", 0xFF, 0, 0xFE}, {"Beep", 0x00, 1, 0x01},
        {"Step", 0x00, -1, 0x0F}, {"Voice Sensitivity", 0x00, -1, 0x1F}, // whole bytes store their write mask
    };
    for (const Case &c : cases) {
        const OptionField &f = Field(c.label);
        MemoryImage image;
        image.setOption(f.offset, c.before);
        if (c.index == -2)
            ApplyOptionChoices(OptionChoicesFromImage(image), image);
        else
            OptionIndexToImage(f, c.index, image);
        EXPECT_EQ(image.option(f.offset), c.after) << c.label << " index " << c.index;
    }
}

// Every list index written on a byte of all zeros or all ones reads back as
// itself, and a bit field leaves the other bits of its byte alone; every
// label and item of both languages names it in a setting.
TEST(OptionTable, EveryIndexRoundTripsAndIsNamedInBothLanguages)
{
    for (const OptionField &f : OptionFields()) {
        const int count = f.kind == OptionKind::CheckBit ? 2 : static_cast<int>(f.items.size());
        int ownBits = 0xFF;
        if (f.kind == OptionKind::CheckBit)
            ownBits = 0x01;
        else if (f.kind == OptionKind::Bit || f.kind == OptionKind::InvertedBit)
            ownBits = 1 << f.shift;
        else if (f.kind == OptionKind::BitPair)
            ownBits = 0x03 << f.shift;
        for (int index = 0; index < count; ++index) {
            for (int background : {0x00, 0xFF}) {
                MemoryImage image;
                image.setOption(f.offset, static_cast<uint8_t>(background));
                OptionIndexToImage(f, index, image);
                EXPECT_EQ(OptionIndexFromImage(f, image), index) << f.label;
                EXPECT_EQ(image.option(f.offset) & ~ownBits, background & ~ownBits) << f.label;
            }
            for (const bool zh : {false, true}) {
                // Labels in any case and either language, items in the other one.
                const QString item = f.kind == OptionKind::CheckBit ? CheckText(index == 1, !zh) : f.Items(!zh).at(index);
                const QString label = zh ? f.Label(true) : f.Label(false).toUpper();
                OptionChoice c;
                const Result r = ParseOptionSetting(" " + label + " = " + item + " ", zh, c);
                ASSERT_TRUE(r.ok()) << r.text.toStdString();
                EXPECT_EQ(c.field, &f);
                EXPECT_EQ(c.index, index) << f.label;
            }
        }
    }
}

TEST(OptionSettings, RefusalsNameTheOptionAndListWhatIsAllowed)
{
    const struct { const char *setting; bool chinese; const char *text; } cases[] = {
        {"Volume=3", false, "option Volume: no such option; the options are Beep, Squelch Level, Time-Out Timer,"},
        {"Step=7k", false,
         "option Step: \"7k\" is not an item of this list; the items are 2.5k, 5k, 10k, 6.25k, 12.5k, 25k"},
        {"mode=frequency", false, "option Mode: \"frequency\" is not an item"}, // items are exact
        {"Beep=yes", false, "the items are Off, On"},
        {"Squelch Level", false, "option Squelch Level: no value given"},
        {"LED=x", true, "option LED: \"x\" is not an item of this list; the items are 关, 自动, 开"},
        {"=1", false, "option : no such option"},
    };
    for (const auto &c : cases) {
        OptionChoice out{nullptr, 42};
        const Result r = ParseOptionSetting(QString::fromUtf8(c.setting), c.chinese, out);
        EXPECT_EQ(r.status, Status::Rejected) << c.setting;
        EXPECT_TRUE(r.text.contains(QString::fromUtf8(c.text))) << r.text.toStdString();
        EXPECT_EQ(out.index, 42) << c.setting;
    }
}

TEST(OptionSettings, OnlyTheChosenControlsAreWrittenInTheWriteOrder)
{
    MemoryImage image; // all 0xFF: a full open-then-OK would change ten bytes
    const MemoryImage before = image;
    OptionChoice busy, step;
    ASSERT_TRUE(ParseOptionSetting("Busy=On", false, busy).ok());
    ASSERT_TRUE(ParseOptionSetting("Step=6.25k", false, step).ok());
    EXPECT_TRUE(ApplyOptionChoices({busy, step}, image));
    EXPECT_EQ(Diff(before, image), (std::vector<int>{Off::stepIndex, Off::optionFlags1}));
    EXPECT_EQ(image.option(Off::optionFlags1), 0xBF);
    EXPECT_EQ(image.option(Off::stepIndex), 0x03);
    EXPECT_FALSE(ApplyOptionChoices({busy, step}, image)) << "nothing changes the second time";
}

TEST(ProductRules, TypeListEndsAtTheFirstEmptyNameAndBandsSplitAtBars)
{
    TestEnv gap("[Setup]\r\nType1=A\r\nType2=B\r\nType3=\r\nType4=D\r\nField1=1-2MHz|3-4MHz\r\nField2=5-6MHz\r\n");
    EXPECT_EQ(RadioTypeNames(gap.app.settings), (QList<QByteArray>{"A", "B"}));
    const std::pair<int, QList<QByteArray>> bands[] = {
        {0, {"1-2MHz", "3-4MHz"}}, {1, {"5-6MHz"}}, {2, {""}}, {-1, {""}}}; // -1: "Field0"
    for (const auto &[type, list] : bands)
        EXPECT_EQ(BandEntries(gap.app.settings, type), list) << type;
    QByteArray ini = "[Setup]\r\n";
    for (int n = 1; n <= 21; ++n)
        ini += "Type" + QByteArray::number(n) + "=T" + QByteArray::number(n) + "\r\n";
    EXPECT_EQ(RadioTypeNames(TestEnv(ini).app.settings).size(), kMaxRadioTypes);
}

TEST(ProductRules, OkWritesTypeBandEdgesStoreAndCaptionOnly)
{
    TestEnv env;
    const MemoryImage image = MemoryImage::newImage();
    const struct { int type, band; const char *text; std::array<uint8_t, 3> edges; int low, high; } cases[] = {
        {1, 0, "136-174MHz", {0x13, 0x17, 0x63}, 13600000, 17400000},
        {2, 1, "130 - 160MHz", {0x13, 0x00, 0xFF}, 13000000, 16000000}, // "-" does not follow the number
        {0, 1, "400-470MHz", {0x40, 0x46, 0x09}, 40000000, 47000000},
    };
    for (const auto &c : cases) {
        MemoryImage img = image;
        const ProductOutcome out = ApplyProductChoice({c.type, c.band, "T-x", c.text}, img, env.app);
        ASSERT_TRUE(out.applied);
        const std::array<uint8_t, 3> edges{img[Off::bandLimits], img[Off::bandLimits + 1], img[Off::bandLimits + 2]};
        EXPECT_EQ(std::make_tuple(int(img[Off::radioType]), int(img[Off::bandIndex]), edges), std::make_tuple(c.type, c.band, c.edges));
        for (int offset : Diff(image, img))
            EXPECT_TRUE(offset == Off::radioType || offset == Off::bandIndex
                        || (offset >= Off::bandLimits && offset < Off::bandLimits + 3)) << offset;
        EXPECT_EQ(std::make_pair(out.bandLow, out.bandHigh), std::make_pair(c.low, c.high));
        EXPECT_EQ(out.caption, QStringLiteral("Test Programmer  [ Type:T-x  Fre:%1 ]").arg(QLatin1String(c.text)));
        uint32_t type = 99, band = 99;
        UserStore("CorvaneTest").ReadNumber("Type", type);
        UserStore("CorvaneTest").ReadNumber("Field", band);
        EXPECT_EQ(std::make_pair(type, band), std::make_pair(uint32_t(c.type), uint32_t(c.band)));
    }
}
