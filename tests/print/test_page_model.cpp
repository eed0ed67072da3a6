// The printed listing as data: page table and counts, the layout of the
// option and channel pages in twips, and the option values against the
// option dialog's own texts.
#include "image/OptionTable.h"
#include "print/PrintPageModel.h"
#include "print/PrintTexts.h"

#include <gtest/gtest.h>

#include <QPoint>

#include <vector>

using namespace corvane;

namespace {

// A printable area of 7.5 x 10.9 inches; line heights as a painter measures.
const PrintMetrics kMetrics{10800, 15750, 400, 320};
constexpr int kU = 10800 / 66;

void SetChannel(ChannelTable &t, int row)
{
    t.cell(row, ColRx) = QStringLiteral("%1.00000").arg(130 + row % 30);
    t.cell(row, ColTx) = QStringLiteral("%1.50000").arg(130 + row % 30);
    t.cell(row, ColDecode) = QStringLiteral("67.0");
    t.cell(row, ColEncode) = QStringLiteral("D023N");
    t.cell(row, ColPower) = QStringLiteral("High");
    t.cell(row, ColLock) = QStringLiteral("Unlock");
    t.cell(row, ColScan) = QStringLiteral("Yes");
    t.cell(row, ColName) = QStringLiteral("R%1").arg(row);
}

ChannelTable Channels(const std::vector<int> &rows)
{
    ChannelTable t;
    for (int r : rows)
        SetChannel(t, r);
    return t;
}

std::vector<int> FirstRows(int n)
{
    std::vector<int> rows;
    for (int r = 1; r <= n; ++r)
        rows.push_back(r);
    return rows;
}

PrintPageModel Model(const ChannelTable &t, bool chinese = false, const MemoryImage &image = MemoryImage::newImage())
{
    return PrintPageModel(t, image, chinese, QStringLiteral("Owner Ltd"));
}

// Texts of a page that start with "Channel " headings, in order.
QStringList Headings(const PrintPage &page)
{
    QStringList out;
    for (const PrintText &t : page.texts)
        if (t.x == 4 * kU)
            out << t.text;
    return out;
}

const PrintText *Find(const PrintPage &page, const QString &text)
{
    for (const PrintText &t : page.texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

// Option page values in line order (labels at 9u, values at 35u).
QStringList OptionValues(const PrintPage &page)
{
    QStringList out;
    for (const PrintText &t : page.texts)
        if (t.x == 35 * kU)
            out << t.text;
    return out;
}

} // namespace

TEST(PrintPageModel, CountsPagesAndSplitsChannelsSevenAPage)
{
    struct Case {
        const char *name;
        std::vector<int> rows;
        int pages;
        std::vector<std::pair<int, int>> entries; // (k, grid row) of the page table
        std::vector<QStringList> headings;        // channel pages 2, 3, ... (empty: not checked)
    };
    const std::vector<Case> cases = {
        {"none", {}, 1, {{1, 200}, {29, 200}}, {}},
        {"seven", FirstRows(7), 2, {{1, 7}, {2, 200}},
         {{"Channel 0:", "Channel 1:", "Channel 2:", "Channel 3:", "Channel 4:", "Channel 5:", "Channel 6:"}}},
        {"eight", FirstRows(8), 3, {{1, 7}, {2, 200}}, {{}, {"Channel 7:"}}},
        {"fourteen", FirstRows(14), 3, {{1, 7}, {2, 14}, {3, 200}}, {}},
        {"scattered", {3, 50, 51, 90, 120, 121, 199, 200}, 3, {{1, 199}, {2, 200}},
         {{"Channel 2:", "Channel 49:", "Channel 50:", "Channel 89:", "Channel 119:", "Channel 120:", "Channel 198:"},
          {"Channel 199:"}}},
        {"only row 200", {200}, 2, {{1, 200}}, {{"Channel 199:"}}},
        {"all 200", FirstRows(200), 30, {{1, 7}, {2, 14}, {28, 196}, {29, 200}},
         {{"Channel 0:", "Channel 1:", "Channel 2:", "Channel 3:", "Channel 4:", "Channel 5:", "Channel 6:"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const PrintPageModel model = Model(Channels(c.rows));
        EXPECT_EQ(model.PageCount(), c.pages);
        EXPECT_EQ(model.PageTable().ChannelCount(), int(c.rows.size()));
        EXPECT_EQ(model.PageTable().Entry(0), 0);
        for (const auto &[k, row] : c.entries)
            EXPECT_EQ(model.PageTable().Entry(k), row) << "entry " << k;
        for (std::size_t i = 0; i < c.headings.size(); ++i) {
            if (!c.headings[i].isEmpty()) {
                EXPECT_EQ(Headings(model.Page(int(i) + 2, kMetrics)), c.headings[i]) << "page " << i + 2;
            }
        }
        EXPECT_TRUE(Find(model.Page(c.pages, kMetrics), QStringLiteral("Page %1 of %1").arg(c.pages)));
        EXPECT_TRUE(model.Page(c.pages + 1, kMetrics).texts.empty());
        EXPECT_TRUE(model.Page(0, kMetrics).texts.empty());
    }
    // 200 channels: 28 full pages and 4 on the last one.
    const PrintPageModel all = Model(Channels(FirstRows(200)));
    EXPECT_EQ(Headings(all.Page(30, kMetrics)), QStringList({"Channel 196:", "Channel 197:", "Channel 198:", "Channel 199:"}));
}

TEST(PrintPageModel, RecountStartsFromScratch)
{
    ChannelTable t = Channels(FirstRows(15));
    PrintPageTable table;
    table.Count(t);
    EXPECT_EQ(table.ChannelPages(), 3);
    EXPECT_EQ(table.Entry(2), 14);
    for (int r = 5; r <= 15; ++r)
        t.clearRow(r);
    table.Count(t);
    EXPECT_EQ(table.ChannelCount(), 4);
    EXPECT_EQ(table.ChannelPages(), 1);
    EXPECT_EQ(table.Entry(1), 200);
    EXPECT_EQ(table.Entry(2), 200);
    const PrintPageModel model = Model(t);
    EXPECT_EQ(model.PageCount(), 2);
    EXPECT_EQ(Headings(model.Page(2, kMetrics)).size(), 4);
}

TEST(PrintPageModel, PlacesRulesTitlesBlocksAndFooterInTwips)
{
    const PrintPageModel model = Model(Channels(FirstRows(8)));
    const int l1 = kMetrics.l1, l2 = kMetrics.l2;
    for (int p = 1; p <= 3; ++p) {
        const PrintPage page = model.Page(p, kMetrics);
        ASSERT_EQ(page.rules.size(), 3u);
        const std::vector<int> ys{2 * l1 + 50, 2 * l1 + 120, 36 * l1 - l1 / 2};
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(page.rules[i].x1, 5 * kU);
            EXPECT_EQ(page.rules[i].x2, 60 * kU);
            EXPECT_EQ(page.rules[i].y, ys[i]);
        }
        // The footer, in the small font, last.
        const PrintText &owner = page.texts[page.texts.size() - 2];
        const PrintText &counter = page.texts.back();
        EXPECT_EQ(owner.text, "Owner Ltd");
        EXPECT_EQ(QPoint(owner.x, owner.y), QPoint(10 * kU, 36 * l1));
        EXPECT_EQ(counter.text, QStringLiteral("Page %1 of 3").arg(p));
        EXPECT_EQ(QPoint(counter.x, counter.y), QPoint(45 * kU, 36 * l1));
        EXPECT_EQ(counter.font, PrintFont::Small);
        // The title in the main font.
        EXPECT_EQ(page.texts.front().text, p == 1 ? "Option" : "Channel");
        EXPECT_EQ(QPoint(page.texts.front().x, page.texts.front().y), QPoint(6 * kU, l1));
        EXPECT_EQ(page.texts.front().font, PrintFont::Main);
    }
    const PrintPage options = model.Page(1, kMetrics);
    EXPECT_EQ(QPoint(options.texts[1].x, options.texts[1].y), QPoint(6 * kU, 4 * l2)); // "Function"
    const PrintText *beep = Find(options, "Beep:");
    ASSERT_TRUE(beep);
    EXPECT_EQ(QPoint(beep->x, beep->y), QPoint(9 * kU, 7 * l2));
    const PrintText *battery = Find(options, "Battery Saver:");
    ASSERT_TRUE(battery);
    EXPECT_EQ(battery->y, 20 * l2);

    // Block k starts trunc(k * 5.7 * L2) lower; page 3 starts at the top again.
    const PrintPage first = model.Page(2, kMetrics);
    for (int k : {0, 3, 6}) {
        const PrintText *heading = Find(first, QStringLiteral("Channel %1:").arg(k));
        ASSERT_TRUE(heading);
        EXPECT_EQ(heading->y, 4 * l2 + int(k * 5.7 * l2));
    }
    const PrintText *rx6 = Find(first, "137.00000"); // row 7, the seventh block
    ASSERT_TRUE(rx6);
    EXPECT_EQ(QPoint(rx6->x, rx6->y), QPoint(22 * kU, 5 * l2 + int(6 * 5.7 * l2)));
    const PrintPage third = model.Page(3, kMetrics);
    const PrintText *top = Find(third, "Channel 7:");
    ASSERT_TRUE(top);
    EXPECT_EQ(top->y, 4 * l2);
}

TEST(PrintPageModel, ChannelBlockLabelsAndGridTextsInBothLanguages)
{
    ChannelTable t = Channels({1});
    t.cell(1, ColName).clear(); // a channel without a name prints an empty value
    const auto block = [&](bool chinese) {
        QStringList out;
        for (const PrintText &x : Model(t, chinese).Page(2, kMetrics).texts)
            if (x.x != 6 * kU && x.y < 36 * kMetrics.l1)
                out << QStringLiteral("%1@%2,%3").arg(x.text).arg(x.x / kU).arg((x.y) / kMetrics.l2);
        return out.join('|');
    };
    EXPECT_EQ(block(false), "Channel 0:@4,4|Receive Frequency:@5,5|131.00000@22,5|Transceive Frequency:@36,5|"
                            "131.50000@55,5|QT/DQT Decode:@5,6|67.0@22,6|QT/DQT Encode:@36,6|D023N@55,6|"
                            "Power:@5,7|High@22,7|Channel Lock:@36,7|Unlock@55,7|Channel Name:@5,8|@22,8");
    EXPECT_EQ(block(true), QString::fromUtf8("信道0:@4,4|接收频率:@5,5|131.00000@22,5|发射频率:@36,5|"
                                             "131.50000@55,5|QT/DQT解码:@5,6|67.0@22,6|QT/DQT编码:@36,6|D023N@55,6|"
                                             "功率:@5,7|High@22,7|信道锁定:@36,7|Unlock@55,7|信道名字:@5,8|@22,8"));
    EXPECT_EQ(Model(t, true).Page(2, kMetrics).texts.front().text, QString::fromUtf8("信道"));
    EXPECT_EQ(Model(t, true).Page(1, kMetrics).texts.front().text, QString::fromUtf8("可选功能"));
}

TEST(PrintPageModel, OptionPageOfNewAndExtremeImages)
{
    struct Case {
        const char *name;
        int fill; // -1: a new image
        bool chinese;
        const char *values;
    };
    const Case cases[] = {
        {"new", -1, false, "1|1|On|1|Off|Off|Off|3s|CO|Manual|Auto|Frequency|On|Off|12.5k|0.4"},
        {"0x00", 0x00, false, "Off|0|Off|Off|On|Off|On|3s|SE|Manual|Off|Channel|Off|Off|2.5k|Off"},
        {"0xFF", 0xFF, false, "10|15|On|15|Off|On|Off|10s|TO|Auto|On|Memory|On|31|25k|1.4"},
        {"new zh", -1, true, "1|1|开|1|关|关|关|3s|CO|手动|自动|频率|开|关|12.5k|0.4"},
        {"0x00 zh", 0x00, true, "关|0|关|关|开|关|开|3s|SE|手动|关|信道|关|关|2.5k|关"},
        {"0xFF zh", 0xFF, true, "10|15|开|15|关|开|关|10s|TO|自动|开|存储|开|31|25k|1.4"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        MemoryImage image = MemoryImage::newImage();
        if (c.fill >= 0)
            for (int off = Off::beepFlags; off <= Off::callKey; ++off)
                image.setOption(off, uint8_t(c.fill));
        const PrintPage page = Model(ChannelTable(), c.chinese, image).Page(1, kMetrics);
        EXPECT_EQ(OptionValues(page).join('|'), QString::fromUtf8(c.values));
    }
}

TEST(PrintPageModel, OptionLabelsAreExactAndOnlyBusyLedEncoderLackColons)
{
    QStringList english, chinese;
    for (const PrintOptionLine &line : PrintOptionLines()) {
        english << line.label.text(false);
        chinese << line.label.text(true);
        EXPECT_EQ(line.Field().label, QString::fromLatin1(line.option)); // every line names a real option
    }
    EXPECT_EQ(english.join('|'), "Time Out Timer:|Squelch Level:|Beep:|Call Tone:|Channel Display:|Priority Scan:|"
                                 "Busy|Pri-Scanning Time:|Scan Mode:|Keypad Lock:|LED|Mode:|Encoder|"
                                 "Voice Sensitivity:|Step:|Battery Saver:");
    EXPECT_EQ(chinese.join('|'), QString::fromUtf8("超时定时器:|静噪电平:|提示音:|呼叫铃音:|信道显示:|优先扫描:|繁忙:|"
                                                   "预扫描时间:|扫描模式:|键盘锁定:|LED|模式:|编码器|声控灵敏度:|步长:|电池省电:"));
}

// Whatever the dialog can store, the listing prints as the dialog shows it.
TEST(PrintPageModel, EveryDialogValuePrintsAsTheDialogShowsIt)
{
    for (const PrintOptionLine &line : PrintOptionLines()) {
        const OptionField &f = line.Field();
        const int choices = f.kind == OptionKind::CheckBit ? 2 : int(f.items.size());
        for (int index = 0; index < choices; ++index) {
            for (bool chinese : {false, true}) {
                for (uint8_t fill : {uint8_t(0x00), uint8_t(0xFF)}) {
                    MemoryImage image;
                    image.setOption(f.offset, fill);
                    OptionIndexToImage(f, index, image);
                    const QString dialog = OptionValueText(f, image, chinese);
                    ASSERT_FALSE(dialog.isEmpty());
                    EXPECT_EQ(line.Value(image, chinese), dialog)
                        << f.label << " index " << index << (chinese ? " zh" : "") << " fill " << int(fill);
                }
            }
        }
    }
}

// Stored values the dialog never writes follow the listing's own rules.
TEST(PrintPageModel, ValuesBeyondTheDialogListsFollowTheListingRules)
{
    struct Case { const char *label; uint8_t byte; const char *english; const char *chinese; };
    const Case cases[] = {
        {"Time Out Timer:", 0x21, "1", "1"},     {"Time Out Timer:", 0x06, "3", "3"},
        {"Squelch Level:", 0x0C, "12", "12"},    {"Call Tone:", 0x09, "1750", "1750"},
        {"Call Tone:", 0x1A, "10", "10"},        {"Voice Sensitivity:", 0x31, "17", "17"},
        {"Step:", 0x05, "25k", "25k"},           {"Step:", 0x08, "25k", "25k"},
        {"Step:", 0x0B, "25k", "25k"},           {"Battery Saver:", 0x06, "1.2", "1.2"},
        {"Battery Saver:", 0x0D, "1.0", "1.0"},  {"Pri-Scanning Time:", 0x07, "10s", "10s"},
        {"Pri-Scanning Time:", 0x05, "5s", "5s"}, {"Mode:", 0x02, "Memory", "存储"},
        {"LED", 0x0C, "On", "开"},               {"Beep:", 0xFE, "Off", "关"},
    };
    for (const Case &c : cases) {
        const PrintOptionLine *line = nullptr;
        for (const PrintOptionLine &l : PrintOptionLines())
            if (l.label.text(false) == QLatin1String(c.label))
                line = &l;
        ASSERT_TRUE(line) << c.label;
        MemoryImage image = MemoryImage::newImage();
        image.setOption(line->Field().offset, c.byte);
        EXPECT_EQ(line->Value(image, false), QString::fromUtf8(c.english)) << c.label << " " << int(c.byte);
        EXPECT_EQ(line->Value(image, true), QString::fromUtf8(c.chinese)) << c.label << " " << int(c.byte);
    }
}

TEST(PrintPageModel, FontSizesFollowThePrintableArea)
{
    const PrintMetrics m{10772, 15704, 0, 0};
    EXPECT_EQ(m.Unit(), 163);
    EXPECT_EQ(m.FontSize(PrintFont::Main).height, 348);
    EXPECT_EQ(m.FontSize(PrintFont::Main).width, 163);
    EXPECT_EQ(m.FontSize(PrintFont::Small).height, 278); // trunc(348 * 0.8)
    EXPECT_EQ(m.FontSize(PrintFont::Small).width, 130);  // trunc(163 * 0.8)
}
