#include "image/MemoryImage.h"
#include "image/OptionTable.h"

#include <gtest/gtest.h>

#include <set>

using namespace corvane;

namespace {

const OptionField &Field(const QString &label)
{
    for (const OptionField &f : OptionFields()) {
        if (label == QLatin1String(f.label))
            return f;
    }
    ADD_FAILURE() << "no option " << qPrintable(label);
    return OptionFields().front();
}

// Opens the dialog on the image and presses OK without changes.
void OpenAndOk(MemoryImage &image)
{
    std::vector<int> shown;
    for (const QString &label : OptionWriteOrder())
        shown.push_back(OptionIndexFromImage(Field(label), image));
    for (int i = 0; i < OptionWriteOrder().size(); ++i)
        OptionIndexToImage(Field(OptionWriteOrder().at(i)), shown[static_cast<std::size_t>(i)], image);
}

} // namespace

TEST(OptionTable, FieldsListsAndWriteOrder)
{
    const char *const labels[] = {
        "Beep", "Squelch Level", "Time-Out Timer", "Step", "Channel Display", "Busy", "Scan Mode", "LED",
        "Keypad Lock", "Priority Scan", "Encoder", "Mode", "Voice Sensitivity", "Call Tone", "Battery Saver",
        "Pri-Scanning Time", "Call Key Define"};
    ASSERT_EQ(OptionFields().size(), std::size(labels));
    for (std::size_t i = 0; i < std::size(labels); ++i)
        EXPECT_STREQ(OptionFields()[i].label, labels[i]);
    EXPECT_EQ(Field("Voice Sensitivity").items.size(), 17);
    EXPECT_EQ(Field("Call Tone").items.last(), "1750");
    EXPECT_EQ(Field("Call Key Define").items.at(2), "Emegency Alarm");
    EXPECT_EQ(CallKeyItems(true).join('|'), QString::fromUtf8("关|呼叫音|紧急报警|呼叫音+紧急报警"));

    const QStringList &order = OptionWriteOrder();
    EXPECT_EQ(order.front(), "Call Key Define");
    EXPECT_EQ(std::set<QString>(order.begin(), order.end()), std::set<QString>(std::begin(labels), std::end(labels)));
    EXPECT_EQ(order.size(), 17);
}

TEST(OptionTable, OpensWithTheDialogTexts)
{
    struct Case { const char *label; uint8_t byte; const char *text; };
    const Case cases[] = {
        {"Channel Display", 0x00, "On"}, {"Busy", 0x00, "On"}, {"Scan Mode", 0x00, "SE"}, {"LED", 0x00, "Off"},
        {"Keypad Lock", 0x00, "Manual"}, {"Channel Display", 0xFF, "Off"}, {"Busy", 0xFF, "Off"},
        {"Scan Mode", 0xFF, "TO"}, {"LED", 0xFF, "On"}, {"Keypad Lock", 0xFF, "Auto"}, {"Mode", 0x03, "Memory"},
        {"Time-Out Timer", 0x21, "1"}, {"Step", 0x0B, "6.25k"}, // read masks drop the high bits
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

    const std::pair<const char *, const char *> newImage[] = {
        {"Beep", "On"}, {"Squelch Level", "1"}, {"Time-Out Timer", "1"}, {"Step", "12.5k"},
        {"Channel Display", "Off"}, {"Busy", "Off"}, {"Scan Mode", "CO"}, {"LED", "Auto"},
        {"Keypad Lock", "Manual"}, {"Priority Scan", "Off"}, {"Encoder", "On"}, {"Mode", "Frequency"},
        {"Voice Sensitivity", "Off"}, {"Call Tone", "1"}, {"Battery Saver", "0.4"},
        {"Pri-Scanning Time", "3s"}, {"Call Key Define", "Off"},
    };
    for (const auto &[label, text] : newImage)
        EXPECT_EQ(OptionValueText(Field(label), MemoryImage::newImage(), false), text) << label;
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
    };
    for (const Case &c : cases) {
        const OptionField &f = Field(c.label);
        MemoryImage image;
        image.setOption(f.offset, c.before);
        if (c.index == -2)
            OpenAndOk(image);
        else
            OptionIndexToImage(f, c.index, image);
        EXPECT_EQ(image.option(f.offset), c.after) << c.label << " index " << c.index;
    }
    // A whole-byte list without a selection stores its write mask.
    int wholeBytes = 0;
    for (const OptionField &f : OptionFields()) {
        if (f.kind != OptionKind::WholeByte)
            continue;
        ++wholeBytes;
        MemoryImage image;
        image.setOption(f.offset, 0x00);
        OptionIndexToImage(f, -1, image);
        EXPECT_EQ(image.option(f.offset), QLatin1String(f.label) == "Voice Sensitivity" ? 31 : 15) << f.label;
    }
    EXPECT_EQ(wholeBytes, 7);
}

// Every list index written on a byte of all zeros or all ones reads back as
// itself, and a bit field leaves the other bits of its byte alone.
TEST(OptionTable, EveryIndexRoundTripsAndKeepsForeignBits)
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
        for (int background : {0x00, 0xFF}) {
            for (int index = 0; index < count; ++index) {
                MemoryImage image;
                image.setOption(f.offset, static_cast<uint8_t>(background));
                OptionIndexToImage(f, index, image);
                EXPECT_EQ(OptionIndexFromImage(f, image), index) << f.label;
                EXPECT_EQ(image.option(f.offset) & ~ownBits, background & ~ownBits) << f.label;
            }
        }
    }
}
