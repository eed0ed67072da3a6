// The rules behind the two option dialogs: "LABEL=VALUE" settings, OK of
// chosen controls only, and type/band lists, OK and caption of the
// product information.
#include "image/OptionChoices.h"
#include "image/ProductInfo.h"
#include "settings/UserStore.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace corvane;
using testenv::TestEnv;

namespace {

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

TEST(OptionSettings, EveryLabelAndItemOfBothLanguagesIsAccepted)
{
    for (const OptionField &f : OptionFields()) {
        const int count = f.kind == OptionKind::CheckBit ? 2 : int(f.items.size());
        for (int i = 0; i < count; ++i) {
            for (const bool zh : {false, true}) {
                const QString item = f.kind == OptionKind::CheckBit ? CheckText(i == 1, !zh) : f.Items(!zh).at(i);
                // Labels in any case and either language, items in the other one.
                const QString label = zh ? f.Label(true) : f.Label(false).toUpper();
                OptionChoice c;
                const Result r = ParseOptionSetting(" " + label + " = " + item + " ", zh, c);
                ASSERT_TRUE(r.ok()) << r.text.toStdString();
                EXPECT_EQ(c.field, &f);
                EXPECT_EQ(c.index, i) << f.label;
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

    // Every field of one byte: the write order decides what stays.
    MemoryImage all = before;
    EXPECT_TRUE(ApplyOptionChoices(OptionChoicesFromImage(all), all));
    EXPECT_EQ(all.option(Off::optionFlags1), 0xEB);
    EXPECT_EQ(all.option(Off::optionFlags2), 0xFE);
}

class ProductRules : public ::testing::Test {
protected:
    TestEnv env;
    MemoryImage image = MemoryImage::newImage();

    uint32_t Stored(const char *name)
    {
        uint32_t v = 12345;
        UserStore(QStringLiteral("CorvaneTest")).ReadNumber(QString::fromLatin1(name), v);
        return v;
    }
};

TEST_F(ProductRules, TypeListEndsAtTheFirstEmptyNameAndBandsSplitAtBars)
{
    TestEnv gap("[Setup]\r\nType1=A\r\nType2=B\r\nType3=\r\nType4=D\r\nField1=1-2MHz|3-4MHz\r\nField2=5-6MHz\r\n");
    EXPECT_EQ(RadioTypeNames(gap.app.settings), (QList<QByteArray>{"A", "B"}));
    EXPECT_EQ(BandEntries(gap.app.settings, 0), (QList<QByteArray>{"1-2MHz", "3-4MHz"}));
    EXPECT_EQ(BandEntries(gap.app.settings, 1), (QList<QByteArray>{"5-6MHz"}));
    EXPECT_EQ(BandEntries(gap.app.settings, 2), (QList<QByteArray>{""}));
    EXPECT_EQ(BandEntries(gap.app.settings, -1), (QList<QByteArray>{""})); // "Field0"

    QByteArray ini = "[Setup]\r\n";
    for (int n = 1; n <= 21; ++n)
        ini += "Type" + QByteArray::number(n) + "=T" + QByteArray::number(n) + "\r\n";
    TestEnv many(ini);
    EXPECT_EQ(RadioTypeNames(many.app.settings).size(), kMaxRadioTypes);
}

TEST_F(ProductRules, OkWritesTypeBandEdgesStoreAndCaptionOnly)
{
    const struct { int type, band; const char *text; uint8_t edges[3]; int low, high; } cases[] = {
        {1, 0, "136-174MHz", {0x13, 0x17, 0x63}, 13600000, 17400000},
        {2, 1, "130 - 160MHz", {0x13, 0x00, 0xFF}, 13000000, 16000000}, // "-" does not follow the number
        {0, 1, "400-470MHz", {0x40, 0x46, 0x09}, 40000000, 47000000},
    };
    for (const auto &c : cases) {
        MemoryImage img = image;
        const ProductOutcome out = ApplyProductChoice({c.type, c.band, "T-x", c.text}, img, env.app);
        ASSERT_TRUE(out.applied);
        EXPECT_EQ(img.option(Off::radioType), c.type);
        EXPECT_EQ(img.option(Off::bandIndex), c.band);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(img.option(Off::bandLimits + i), c.edges[i]) << c.text << " byte " << i;
        for (int offset : Diff(image, img))
            EXPECT_TRUE(offset == Off::radioType || offset == Off::bandIndex
                        || (offset >= Off::bandLimits && offset < Off::bandLimits + 3)) << offset;
        EXPECT_EQ(out.bandLow, c.low);
        EXPECT_EQ(out.bandHigh, c.high);
        EXPECT_EQ(out.caption, QStringLiteral("Test Programmer  [ Type:T-x  Fre:%1 ]").arg(QLatin1String(c.text)));
        EXPECT_EQ(Stored("Type"), uint32_t(c.type));
        EXPECT_EQ(Stored("Field"), uint32_t(c.band));
    }
}
