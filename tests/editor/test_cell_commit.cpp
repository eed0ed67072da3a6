#include "editor/CellCommit.h"
#include "image/Texts.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {
constexpr int kLow = 13000000, kHigh = 16000000;

CommitRequest Req(int row, int col, const QString &text, bool chinese = false)
{
    return CommitRequest{row, col, text, kLow, kHigh, chinese};
}

QStringList Row(const ChannelTable &t, int row)
{
    QStringList out;
    for (int c = 1; c <= 8; ++c)
        out << t.cell(row, c);
    return out;
}
} // namespace

TEST(CheckFrequency, RangeAndRaster)
{
    struct Case { const char *text; FrequencyCheck::Kind kind; const char *shown; } cases[] = {
        {"145.0125", FrequencyCheck::Valid, "145.01250"},
        {"145.00625", FrequencyCheck::Valid, "145.00625"},
        {"145.0025", FrequencyCheck::Valid, "145.00250"},
        {"145.0010", FrequencyCheck::StepError, nullptr},
        {"145.01251", FrequencyCheck::StepError, nullptr},
        {"145.012504", FrequencyCheck::Valid, "145.01250"},
        {"145.012506", FrequencyCheck::Valid, "145.01250"},
        {"136.0125", FrequencyCheck::Valid, "136.01250"},
        {"130", FrequencyCheck::Valid, "130.00000"},
        {"160", FrequencyCheck::Valid, "160.00000"},
        {"129.9975", FrequencyCheck::OutOfRange, nullptr},
        {"160.0025", FrequencyCheck::OutOfRange, nullptr},
        {"abc", FrequencyCheck::OutOfRange, nullptr},
        {"  145.0125xyz", FrequencyCheck::Valid, "145.01250"},
        {"-145.0125", FrequencyCheck::OutOfRange, nullptr},
        {"1e300", FrequencyCheck::OutOfRange, nullptr},
        {"99999999999", FrequencyCheck::OutOfRange, nullptr},
        // A decimal comma after the whole digits is the decimal point.
        {"146,5125", FrequencyCheck::Valid, "146.51250"},
        {" 146,00625MHz", FrequencyCheck::Valid, "146.00625"},
        {"146,0010", FrequencyCheck::StepError, nullptr},
        {",5125", FrequencyCheck::OutOfRange, nullptr},
        {"146.5,125", FrequencyCheck::Valid, "146.50000"},
    };
    for (const Case &c : cases) {
        const FrequencyCheck r = CheckFrequency(QString::fromLatin1(c.text), kLow, kHigh);
        EXPECT_EQ(r.kind, c.kind) << c.text;
        if (c.shown)
            EXPECT_EQ(r.text, QString::fromLatin1(c.shown)) << c.text;
    }
}

TEST(CommitCell, NewChannelGetsDefaultsInTheCurrentLanguage)
{
    ChannelTable t;
    EXPECT_EQ(CommitCell(t, Req(5, ColRx, "145.0125")).messageId, 0);
    EXPECT_EQ(Row(t, 5), (QStringList{"145.01250", "145.01250", "None", "None", "High", "Lock", "Yes", ""}));
    CommitCell(t, Req(6, ColRx, "145.0125", true));
    EXPECT_EQ(Row(t, 6), (QStringList{"145.01250", "145.01250", QString::fromUtf8("无"), QString::fromUtf8("无"),
                                      QString::fromUtf8("高"), QString::fromUtf8("锁定"), QString::fromUtf8("有"), ""}));
}

TEST(CommitCell, EmptyReceiveFrequencyErasesTheChannelARejectedOneChangesNothing)
{
    const struct { const char *text; int message; bool erased; } cases[] = {
        {"", 0, true}, {"145.0010", 61456, false}, {"170", 61448, false}, {"garbage", 61448, false},
    };
    for (const auto &c : cases) {
        ChannelTable t;
        CommitCell(t, Req(3, ColRx, "145.0125"));
        CommitCell(t, Req(3, ColName, "AB"));
        const QStringList before = Row(t, 3);
        const CommitOutcome out = CommitCell(t, Req(3, ColRx, QString::fromLatin1(c.text)));
        EXPECT_EQ(Row(t, 3), c.erased ? QStringList(8, QString()) : before) << c.text;
        EXPECT_EQ(out.messageId, c.message) << c.text;
        EXPECT_EQ(out.changed, c.erased) << c.text;
        // On an empty row a rejected frequency leaves it empty.
        EXPECT_EQ(CommitCell(t, Req(9, ColRx, QString::fromLatin1(c.text))).messageId, c.message);
        EXPECT_EQ(Row(t, 9), QStringList(8, QString())) << c.text;
    }
}

TEST(CommitCell, ChangedTellsWhetherTheRowChanged)
{
    ChannelTable t;
    EXPECT_TRUE(CommitCell(t, Req(2, ColRx, "145.0125")).changed);
    EXPECT_FALSE(CommitCell(t, Req(2, ColRx, "145.01250")).changed); // the same value again
    EXPECT_FALSE(CommitCell(t, Req(2, ColPower, "High")).changed);
    EXPECT_TRUE(CommitCell(t, Req(2, ColPower, "Low")).changed);
    EXPECT_FALSE(CommitCell(t, Req(7, ColName, "AB")).changed);      // empty channel stays empty
}

TEST(CommitCell, ChangedReceiveFrequencyKeepsTheRestOfTheRow)
{
    ChannelTable t;
    CommitCell(t, Req(2, ColRx, "145.0125"));
    CommitCell(t, Req(2, ColTx, "150"));
    CommitCell(t, Req(2, ColPower, "Low"));
    CommitCell(t, Req(2, ColRx, "146"));
    EXPECT_EQ(Row(t, 2), (QStringList{"146.00000", "150.00000", "None", "None", "Low", "Lock", "Yes", ""}));
}

TEST(CommitCell, TransmitFrequencyRules)
{
    ChannelTable t;
    CommitCell(t, Req(2, ColTx, "150"));                       // empty channel: stays empty
    EXPECT_TRUE(t.cell(2, ColTx).isEmpty());
    CommitCell(t, Req(2, ColRx, "145.0125"));
    EXPECT_EQ(CommitCell(t, Req(2, ColTx, "150.001")).messageId, 61456);
    EXPECT_EQ(t.cell(2, ColTx), "145.01250");                  // rejected: kept as it was
    CommitCell(t, Req(2, ColTx, "150"));
    EXPECT_EQ(CommitCell(t, Req(2, ColTx, "200")).messageId, 61448);
    EXPECT_EQ(t.cell(2, ColTx), "150.00000");
    CommitCell(t, Req(2, ColTx, ""));
    EXPECT_TRUE(t.cell(2, ColTx).isEmpty());
}

TEST(CommitCell, OtherColumnsNeedAChannel)
{
    for (int col = ColDecode; col <= ColName; ++col) {
        ChannelTable t;
        CommitCell(t, Req(9, col, "X"));
        EXPECT_TRUE(t.cell(9, col).isEmpty()) << col;
        CommitCell(t, Req(9, ColRx, "145"));
        CommitCell(t, Req(9, col, "X"));
        EXPECT_EQ(t.cell(9, col), "X") << col;
    }
}

TEST(CommitCell, PreviewMatchesCommitAndChangesNothing)
{
    ChannelTable t;
    CommitCell(t, Req(4, ColRx, "145"));
    const ChannelTable before = t;
    EXPECT_EQ(PreviewCommit(t, Req(4, ColRx, "145.001")).messageId, 61456);
    EXPECT_EQ(PreviewCommit(t, Req(4, ColTx, "1")).messageId, 61448);
    EXPECT_EQ(PreviewCommit(t, Req(4, ColName, "145.001")).messageId, 0);
    EXPECT_EQ(Row(t, 4), Row(before, 4));
}
