#include "editor/CellCommit.h"

#include "image/Codecs.h"
#include "image/Texts.h"

#include <climits>
#include <cmath>

namespace corvane {

namespace {

constexpr int kMsgOutOfRange = 61448;
constexpr int kMsgStep = 61456;

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

} // namespace

FrequencyCheck CheckFrequency(const QString &text, int bandLow, int bandHigh)
{
    const double v = ParseNumber(text);
    FrequencyCheck c;
    c.units = ToUnits(v);
    // The text shown is that of the checked units: printing v itself would
    // round 145.012506 up to an off-raster 145.01251 after it passed.
    c.text = FrequencyText(c.units);
    if (!std::isfinite(v) || c.units < bandLow || c.units > bandHigh)
        c.kind = FrequencyCheck::OutOfRange;
    else if (c.units % 250 != 0 && c.units % 625 != 0)
        c.kind = FrequencyCheck::StepError;
    return c;
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

    if (req.col == ColRx) {
        if (req.editorText.isEmpty() || out.rejectedFrequency()) {
            table.clearRow(row);
        } else {
            const QString t = CheckFrequency(req.editorText, req.bandLow, req.bandHigh).text;
            if (oldRxEmpty)
                StartNewChannel(table, row, t, req.chinese);
            else
                table.cell(row, ColRx) = t;
        }
    } else if (req.col == ColTx) {
        if (req.editorText.isEmpty() || out.rejectedFrequency() || oldRxEmpty)
            table.cell(row, ColTx).clear();
        else
            table.cell(row, ColTx) = CheckFrequency(req.editorText, req.bandLow, req.bandHigh).text;
    } else if (req.col >= ColDecode && req.col <= ColName) {
        table.cell(row, req.col) = (!oldRxEmpty || !oldTxEmpty) ? req.editorText : QString();
    }
    return out;
}

} // namespace corvane
