#include "editor/CellCommit.h"
#include "image/Texts.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {
constexpr int kLow = 13000000, kHigh = 16000000;

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
    using F = FrequencyCheck;
    struct Case { const char *text; FrequencyCheck::Kind kind; const char *shown; } cases[] = {
        {"145.0125", F::Valid, "145.01250"}, {"145.00625", F::Valid, "145.00625"}, {"145.0025", F::Valid, "145.00250"},
        {"145.0010", F::StepError, nullptr}, {"145.01251", F::StepError, nullptr},
        {"145.012504", F::Valid, "145.01250"}, {"145.012506", F::Valid, "145.01250"},
        {"136.0125", F::Valid, "136.01250"}, {"130", F::Valid, "130.00000"}, {"160", F::Valid, "160.00000"},
        {"129.9975", F::OutOfRange, nullptr}, {"160.0025", F::OutOfRange, nullptr}, {"abc", F::OutOfRange, nullptr},
        {"  145.0125xyz", F::Valid, "145.01250"}, {"-145.0125", F::OutOfRange, nullptr},
        {"1e300", F::OutOfRange, nullptr}, {"99999999999", F::OutOfRange, nullptr},
        // A decimal comma after the whole digits is the decimal point.
        {"146,5125", F::Valid, "146.51250"}, {" 146,00625MHz", F::Valid, "146.00625"},
        {"146,0010", F::StepError, nullptr}, {",5125", F::OutOfRange, nullptr}, {"146.5,125", F::Valid, "146.50000"},
    };
    for (const Case &c : cases) {
        const FrequencyCheck r = CheckFrequency(QString::fromLatin1(c.text), kLow, kHigh);
        EXPECT_EQ(r.kind, c.kind) << c.text;
        if (c.shown) {
            EXPECT_EQ(r.text, QString::fromLatin1(c.shown)) << c.text;
        }
    }
    // Without a band (0-0) nothing is in range, not even 0.
    for (const char *text : {"0", "145.0125"})
        EXPECT_EQ(CheckFrequency(QString::fromLatin1(text), 0, 0).kind, FrequencyCheck::OutOfRange) << text;
}

// Commits one after another on one row: the message, whether the row
// changed and the row after. A rejected frequency leaves the row exactly as
// it was; without a receive frequency the other columns stay empty. (The
// defaults in Chinese: the view's ChineseInterface.)
TEST(CommitCell, StepsOnOneRow)
{
    const char *const kFresh = "145.01250|145.01250|None|None|High|Lock|Yes|";
    const char *const kEdited = "146.00000|150.00000|None|None|Low|Lock|Yes|AB";
    const struct { int col; const char *text; int message; bool changed; const char *row; } steps[] = {
        {ColTx, "150", 0, false, ""}, // no channel: other columns stay empty
        {ColName, "AB", 0, false, ""},
        {ColRx, "170", 61448, false, ""},
        {ColRx, "145.0125", 0, true, kFresh},
        {ColRx, "145.01250", 0, false, kFresh}, // the same value again
        {ColPower, "High", 0, false, kFresh},
        {ColTx, "150.001", 61456, false, kFresh},
        {ColTx, "200", 61448, false, kFresh},
        {ColTx, "150", 0, true, "145.01250|150.00000|None|None|High|Lock|Yes|"},
        {ColPower, "Low", 0, true, "145.01250|150.00000|None|None|Low|Lock|Yes|"},
        {ColName, "AB", 0, true, "145.01250|150.00000|None|None|Low|Lock|Yes|AB"},
        {ColRx, "146", 0, true, kEdited}, // the rest of the row stays
        {ColRx, "145.0010", 61456, false, kEdited},
        {ColTx, "", 0, true, "146.00000||None|None|Low|Lock|Yes|AB"},
        {ColRx, "", 0, true, ""}, // erases the channel
    };
    ChannelTable t;
    for (const auto &s : steps) {
        const CommitOutcome out = CommitCell(t, {4, s.col, QString::fromLatin1(s.text), kLow, kHigh});
        EXPECT_EQ(out.messageId, s.message) << s.text;
        EXPECT_EQ(out.changed, s.changed) << s.text;
        const QString row = QString::fromLatin1(s.row);
        EXPECT_EQ(Row(t, 4), row.isEmpty() ? QStringList(8) : row.split('|')) << s.text;
    }
}
