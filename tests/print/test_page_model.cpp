// The printed listing as data: page table and counts, the layout of the
// option and channel pages in twips, and the option values against the
// option dialog's own texts.
#include "image/OptionTable.h"
#include "print/PrintPageModel.h"
#include "print/PrintTexts.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

using namespace corvane;

namespace {

// A printable area of 7.5 x 10.9 inches; line heights as a painter measures.
const PrintMetrics kMetrics{10800, 15750, 400, 320};
constexpr int kU = 10800 / 66, kL1 = 400, kL2 = 320;

ChannelTable Channels(const std::vector<int> &rows)
{
    ChannelTable t;
    for (int r : rows) {
        const QStringList texts{QStringLiteral("%1.00000").arg(130 + r % 30), QStringLiteral("%1.50000").arg(130 + r % 30),
                                "67.0", "D023N", "High", "Unlock", "Yes", QStringLiteral("R%1").arg(r)};
        for (int c = ColRx; c <= ColName; ++c)
            t.cell(r, c) = texts[c - 1];
    }
    return t;
}

std::vector<int> FirstRows(int n)
{
    std::vector<int> rows(std::size_t(n), 0);
    std::iota(rows.begin(), rows.end(), 1);
    return rows;
}

PrintPageModel Model(const ChannelTable &t, const MemoryImage &image = MemoryImage::newImage())
{
    return PrintPageModel(t, image, false, QStringLiteral("Owner Ltd"));
}

// The texts at x (in units u), in order; with y when asked ("text@y").
QStringList TextsAt(const PrintPage &page, int xUnits, bool withY = false)
{
    QStringList out;
    for (const PrintText &t : page.texts)
        if (t.x == xUnits * kU)
            out << (withY ? QStringLiteral("%1@%2").arg(t.text).arg(t.y) : t.text);
    return out;
}

} // namespace

TEST(PrintPageModel, CountsPagesAndSplitsChannelsSevenAPage)
{
    const QStringList firstSeven{"Channel 0:", "Channel 1:", "Channel 2:", "Channel 3:", "Channel 4:", "Channel 5:", "Channel 6:"};
    struct Case {
        const char *name;
        std::vector<int> rows;
        int pages;
        std::vector<std::pair<int, int>> entries; // (k, grid row) of the page table
        std::vector<QStringList> headings;        // channel pages 2, 3, ... (empty: not checked)
    };
    const std::vector<Case> cases = {
        {"none", {}, 1, {{1, 200}, {29, 200}}, {}},
        {"seven", FirstRows(7), 2, {{1, 7}, {2, 200}}, {firstSeven}},
        {"eight", FirstRows(8), 3, {{1, 7}, {2, 200}}, {firstSeven, {"Channel 7:"}}},
        {"scattered", {3, 50, 51, 90, 120, 121, 199, 200}, 3, {{1, 199}, {2, 200}},
         {{"Channel 2:", "Channel 49:", "Channel 50:", "Channel 89:", "Channel 119:", "Channel 120:", "Channel 198:"},
          {"Channel 199:"}}},
        {"only row 200", {200}, 2, {{1, 200}}, {{"Channel 199:"}}},
        {"all 200", FirstRows(200), 30, {{1, 7}, {2, 14}, {28, 196}, {29, 200}}, {firstSeven}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const PrintPageModel model = Model(Channels(c.rows));
        EXPECT_EQ(model.PageCount(), c.pages);
        EXPECT_EQ(model.PageTable().ChannelCount(), int(c.rows.size()));
        for (const auto &[k, row] : c.entries)
            EXPECT_EQ(model.PageTable().Entry(k), row) << "entry " << k;
        for (std::size_t i = 0; i < c.headings.size(); ++i)
            EXPECT_EQ(TextsAt(model.Page(int(i) + 2, kMetrics), 4), c.headings[i]) << "page " << i + 2;
        EXPECT_EQ(model.Page(c.pages, kMetrics).texts.back().text, QStringLiteral("Page %1 of %1").arg(c.pages));
        EXPECT_TRUE(model.Page(c.pages + 1, kMetrics).texts.empty());
    }
}

// Every page ends with the owner and the page counter in the small font;
// block k starts trunc(k x 5.7 x L2) lower, page 3 at the top again.
TEST(PrintPageModel, BlocksStepDownThePageAndTheFooterEndsEveryPage)
{
    const PrintPageModel model = Model(Channels(FirstRows(8)));
    for (int p = 1; p <= 3; ++p) {
        const PrintPage page = model.Page(p, kMetrics);
        ASSERT_EQ(page.rules.size(), 3u);
        const PrintText &owner = page.texts[page.texts.size() - 2], &counter = page.texts.back();
        EXPECT_TRUE(owner.text == "Owner Ltd" && owner.y == 36 * kL1 && counter.y == 36 * kL1) << p;
        EXPECT_EQ(counter.font, PrintFont::Small) << p;
    }
    QStringList blocks;
    for (int k = 0; k < 7; ++k)
        blocks << QStringLiteral("Channel %1:@%2").arg(k).arg(4 * kL2 + int(k * 5.7 * kL2));
    EXPECT_EQ(TextsAt(model.Page(2, kMetrics), 4, true), blocks);
    EXPECT_EQ(TextsAt(model.Page(3, kMetrics), 4, true), QStringList{"Channel 7:@1280"});
}

TEST(PrintPageModel, ChannelBlockLabelsAndGridTexts)
{
    ChannelTable t = Channels({1});
    t.cell(1, ColName).clear(); // a channel without a name prints an empty value
    QStringList block;
    for (const PrintText &x : Model(t).Page(2, kMetrics).texts)
        if (x.y > kL1 && x.y < 36 * kL1)
            block << QStringLiteral("%1@%2,%3").arg(x.text).arg(x.x / kU).arg(x.y / kL2);
    EXPECT_EQ(block.join('|'), "Channel 0:@4,4|Receive Frequency:@5,5|131.00000@22,5|Transceive Frequency:@36,5|"
                               "131.50000@55,5|QT/DQT Decode:@5,6|67.0@22,6|QT/DQT Encode:@36,6|D023N@55,6|"
                               "Power:@5,7|High@22,7|Channel Lock:@36,7|Unlock@55,7|Channel Name:@5,8|@22,8");
}

// The values of option bytes of all zeros and all ones at 35u; values
// within the dialog's lists in either language are those of
// EveryDialogValuePrintsAsTheDialogShowsIt.
TEST(PrintPageModel, OptionPageOfExtremeImages)
{
    const std::pair<uint8_t, const char *> cases[] = {
        {0x00, "Off|0|Off|Off|On|Off|On|3s|SE|Manual|Off|Channel|Off|Off|2.5k|Off"},
        {0xFF, "10|15|On|15|Off|On|Off|10s|TO|Auto|On|Memory|On|31|25k|1.4"},
    };
    for (const auto &[fill, values] : cases) {
        MemoryImage image = MemoryImage::newImage();
        for (int off = Off::beepFlags; off <= Off::callKey; ++off)
            image.setOption(off, fill);
        EXPECT_EQ(TextsAt(Model(ChannelTable(), image).Page(1, kMetrics), 35).join('|'), values) << int(fill);
    }
}

// Whatever the dialog can store, the listing prints as the dialog shows it.
TEST(PrintPageModel, EveryDialogValuePrintsAsTheDialogShowsIt)
{
    for (const PrintOptionLine &line : PrintOptionLines()) {
        const OptionField &f = line.Field();
        ASSERT_EQ(QString::fromLatin1(f.label), QString::fromLatin1(line.option));
        const int choices = f.kind == OptionKind::CheckBit ? 2 : int(f.items.size());
        for (int index = 0; index < choices; ++index)
            for (bool chinese : {false, true})
                for (uint8_t fill : {uint8_t(0x00), uint8_t(0xFF)}) {
                    MemoryImage image;
                    image.setOption(f.offset, fill);
                    OptionIndexToImage(f, index, image);
                    const QString dialog = OptionValueText(f, image, chinese);
                    ASSERT_FALSE(dialog.isEmpty());
                    EXPECT_EQ(line.Value(image, chinese), dialog) << f.label << " " << index << chinese << int(fill);
                }
    }
}

// Stored values the dialog never writes follow the listing's own rules.
TEST(PrintPageModel, ValuesBeyondTheDialogListsFollowTheListingRules)
{
    const struct { int line; uint8_t byte; const char *text; } cases[] = {
        {0, 0x21, "1"}, {0, 0x06, "3"}, {1, 0x0C, "12"}, {3, 0x1A, "10"}, {13, 0x31, "17"},
        {14, 0x08, "25k"}, {15, 0x06, "1.2"}, {15, 0x0D, "1.0"}, {7, 0x05, "5s"},
    };
    for (const auto &c : cases) {
        const PrintOptionLine &line = PrintOptionLines()[std::size_t(c.line)];
        MemoryImage image = MemoryImage::newImage();
        image.setOption(line.Field().offset, c.byte);
        for (bool chinese : {false, true})
            EXPECT_EQ(line.Value(image, chinese), c.text) << line.option << " " << int(c.byte);
    }
}

TEST(PrintPageModel, FontSizesFollowThePrintableArea)
{
    const PrintMetrics m{10772, 15704, 0, 0};
    const PrintFontSize main = m.FontSize(PrintFont::Main), small = m.FontSize(PrintFont::Small);
    EXPECT_EQ(QList<int>({main.height, main.width, small.height, small.width}), QList<int>({348, 163, 278, 130}));
}
