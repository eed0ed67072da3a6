// What a verify tells the user, for each kind of difference the write
// ranges can hold, in both languages, and the cut after twenty lines.
#include "app/LanguageBundle.h"
#include "image/ChannelTable.h"
#include "image/ImagePasses.h"
#include "link/VerifyReport.h"

#include <functional>
#include <gtest/gtest.h>

using namespace corvane;

namespace {

MemoryImage Document()
{
    MemoryImage m = MemoryImage::newImage();
    ChannelTable t;
    for (int row : {1, 5}) {
        t.cell(row, ColRx) = t.cell(row, ColTx) = "145.01250";
        t.cell(row, ColDecode) = t.cell(row, ColEncode) = "None";
        t.cell(row, ColPower) = "High";
        t.cell(row, ColLock) = "Lock";
        t.cell(row, ColScan) = "Yes";
    }
    t.cell(5, ColName) = "AB";
    CommitToImage(t, m);
    return m;
}

struct Case {
    const char *name;
    std::function<void(MemoryImage &)> radio; // how the radio differs
    QStringList english;
    QStringList chinese;
};

class VerifyLinesTest : public ::testing::TestWithParam<Case> {};

// One bundle is registered at a time.
QStringList Lines(const MemoryImage &doc, const MemoryImage &radio, bool chinese)
{
    LanguageBundle texts;
    EXPECT_TRUE(texts.Load(QStringLiteral(CORVANE_BIN_DIR), chinese ? "Chinese" : "English"));
    return VerifyLines(doc, radio, chinese, texts);
}

TEST_P(VerifyLinesTest, NamesChannelsOptionsAndMemory)
{
    const MemoryImage doc = Document();
    MemoryImage radio = doc;
    GetParam().radio(radio);
    EXPECT_EQ(Lines(doc, radio, false), GetParam().english);
    if (!GetParam().chinese.isEmpty()) {
        EXPECT_EQ(Lines(doc, radio, true), GetParam().chinese);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Differences, VerifyLinesTest,
    ::testing::Values(
        Case{"Same", [](MemoryImage &) {}, {}, {}},
        Case{"ReceiveFrequency", [](MemoryImage &m) { m.record(4)[1] = 0x13; },
             {"Channel 4, Rx Frequency: document 145.01250, radio 145.01350"},
             {"信道 4，接收频率：文档 145.01250，电台 145.01350"}},
        Case{"PrNamedInTheRadio", [](MemoryImage &m) { m.nameSlot(0)[0] = 0x0A; },
             {"Channel Pr, Cha Name: document (empty), radio A"}, {"信道 Pr，信道名字：文档 （空），电台 A"}},
        Case{"NameSlot", [](MemoryImage &m) { m.nameSlot(4)[1] = 0x0C; },
             {"Channel 4, Cha Name: document AB, radio AC"}, {}},
        Case{"BitsTheGridDoesNotShow", [](MemoryImage &m) { m.record(4)[13] = 0x00; },
             {"Channel 4: bytes that the grid does not show differ"}, {"信道 4：表格中不显示的字节不一致"}},
        Case{"NotSentRecordsAndBandEdges",
             [](MemoryImage &m) {
                 m.record(120)[0] = 0x00;
                 m[Off::bandLimits] = 0x00;
             },
             {}, {}},
        Case{"Option", [](MemoryImage &m) { m.setOption(Off::squelchLevel, 0x05); },
             {"Squelch Level: document 1, radio 5"}, {}},
        Case{"UnnamedMemory",
             [](MemoryImage &m) {
                 for (int a : {0x1300, 0x1301, 0x1302, 0x1FC2})
                     m[a] = 0x00;
             },
             {"Memory 0x1300\u20130x1302 differs", "Memory 0x1FC2 differs"},
             {"存储区 0x1300\u20130x1302 不一致", "存储区 0x1FC2 不一致"}}),
    [](const ::testing::TestParamInfo<Case> &i) { return std::string(i.param.name); });

TEST(VerifyMessage, MatchOrHeadingAndAtMostTwentyLines)
{
    LanguageBundle en;
    ASSERT_TRUE(en.Load(QStringLiteral(CORVANE_BIN_DIR), "English"));
    EXPECT_EQ(VerifyMessage({}, en), "The radio matches the document.");
    QStringList lines;
    for (int i = 0; i < 23; ++i)
        lines << QString::number(i);
    EXPECT_EQ(VerifyMessage(lines, en), "The radio differs from the document:\n" + lines.mid(0, 20).join('\n') + "\nand 3 more");
    EXPECT_FALSE(VerifyMessage(lines.mid(0, 20), en).contains("more"));
}

} // namespace
