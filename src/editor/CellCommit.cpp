#include "editor/CellCommit.h"

#include "app/LanguageBundle.h"
#include "image/Codecs.h"
#include "image/Texts.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace corvane {

namespace {

constexpr int kMsgOutOfRange = 61448;
constexpr int kMsgStep = 61456;
constexpr int kColumnCount = ColName;

int MessageFor(FrequencyCheck::Kind k)
{
    return k == FrequencyCheck::OutOfRange ? kMsgOutOfRange : k == FrequencyCheck::StepError ? kMsgStep : 0;
}

// Units of 10 Hz, truncated toward zero; values beyond 32 bits saturate so
// that they fail the band check instead of wrapping into it.
int ToUnits(double v)
{
    const double f = DecimalMultiply(v, 100000.0);
    if (std::isnan(f))
        return INT_MIN;
    if (f >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (f <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(std::trunc(f));
}

void StartNewChannel(ChannelTable &table, int row, const QString &freq, bool chinese)
{
    table.cell(row, ColRx) = freq;
    table.cell(row, ColTx) = freq;
    table.cell(row, ColDecode) = ToneList(chinese).at(0);
    table.cell(row, ColEncode) = ToneList(chinese).at(0);
    table.cell(row, ColPower) = Txt::High.text(chinese);
    table.cell(row, ColLock) = Txt::Lock.text(chinese);
    table.cell(row, ColScan) = Txt::Yes.text(chinese);
    table.cell(row, ColName).clear();
}

// "146,5125" -> "146.5125": a comma that follows the whole digits of the
// leading number, with a digit after it, is its decimal point.
QString WithDecimalPoint(const QString &text)
{
    int i = 0;
    const int n = static_cast<int>(text.size());
    while (i < n && text[i].isSpace())
        ++i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    const int digits = i;
    while (i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'))
        ++i;
    if (i == digits || i + 1 >= n || text[i] != QLatin1Char(',') || text[i + 1] < QLatin1Char('0') ||
        text[i + 1] > QLatin1Char('9'))
        return text;
    QString out = text;
    out[i] = QLatin1Char('.');
    return out;
}

} // namespace

FrequencyCheck CheckFrequency(const QString &text, int bandLow, int bandHigh)
{
    const double v = ParseNumber(WithDecimalPoint(text));
    FrequencyCheck c;
    c.units = ToUnits(v);
    // The text shown is that of the checked units: printing v itself would
    // round 145.012506 up to an off-raster 145.01251 after it passed.
    c.text = FrequencyText(c.units);
    if (!std::isfinite(v) || c.units < std::max(bandLow, kLowestUnits) || c.units > std::min(bandHigh, kHighestUnits))
        c.kind = FrequencyCheck::OutOfRange;
    else if (c.units % 250 != 0 && c.units % 625 != 0)
        c.kind = FrequencyCheck::StepError;
    return c;
}

bool BandAcceptsAny(int bandLow, int bandHigh)
{
    return std::max(bandLow, kLowestUnits) <= std::min(bandHigh, kHighestUnits);
}

QString RejectionMessage(int messageId, int bandLow, int bandHigh, const LanguageBundle &strings)
{
    QString detail;
    if (messageId == kMsgStep)
        detail = strings.String(Ids::StepDetail);
    else if (!BandAcceptsAny(bandLow, bandHigh))
        detail = strings.String(Ids::NoBand);
    else
        detail = strings.String(Ids::RangeDetail)
                     .arg(FrequencyText(std::max(bandLow, kLowestUnits)), FrequencyText(std::min(bandHigh, kHighestUnits)));
    const QString first = strings.String(messageId);
    return detail.isEmpty() ? first : first + QLatin1Char('\n') + detail;
}

CommitOutcome PreviewCommit(const ChannelTable &, const CommitRequest &req)
{
    CommitOutcome out;
    if ((req.col == ColRx || req.col == ColTx) && !req.editorText.isEmpty())
        out.messageId = MessageFor(CheckFrequency(req.editorText, req.bandLow, req.bandHigh).kind);
    return out;
}

CommitOutcome CommitCell(ChannelTable &table, const CommitRequest &req)
{
    const int row = req.row;
    const bool oldRxEmpty = table.cell(row, ColRx).isEmpty();
    const bool oldTxEmpty = table.cell(row, ColTx).isEmpty();
    CommitOutcome out = PreviewCommit(table, req);
    if (out.rejectedFrequency())
        return out; // the row stays exactly as it was
    QString before[kColumnCount];
    for (int c = ColRx; c <= ColName; ++c)
        before[c - 1] = table.cell(row, c);

    if (req.col == ColRx) {
        if (req.editorText.isEmpty()) {
            table.clearRow(row);
        } else {
            const QString t = CheckFrequency(req.editorText, req.bandLow, req.bandHigh).text;
            if (oldRxEmpty)
                StartNewChannel(table, row, t, req.chinese);
            else
                table.cell(row, ColRx) = t;
        }
    } else if (req.col == ColTx) {
        if (req.editorText.isEmpty() || oldRxEmpty)
            table.cell(row, ColTx).clear();
        else
            table.cell(row, ColTx) = CheckFrequency(req.editorText, req.bandLow, req.bandHigh).text;
    } else if (req.col >= ColDecode && req.col <= ColName) {
        table.cell(row, req.col) = (!oldRxEmpty || !oldTxEmpty) ? req.editorText : QString();
    }
    for (int c = ColRx; c <= ColName; ++c)
        out.changed = out.changed || before[c - 1] != table.cell(row, c);
    return out;
}

} // namespace corvane
